// Resource ids of the class-library tests.
#pragma once

#define IDR_TEST_MENU 200
#define ID_TEST_OPEN  201
#define ID_TEST_CLOSE 202
#define ID_TEST_INNER 203

#define IDD_TEST_FORM   210
#define IDC_TEST_DRAWN  211
#define IDC_TEST_NUMBER 212
#define IDC_TEST_COMBO  213
#define IDC_TEST_NAME   214
