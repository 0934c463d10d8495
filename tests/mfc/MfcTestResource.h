// Resource ids of the class-library tests.
#pragma once

#define IDR_TEST_MENU 200
#define ID_TEST_OPEN 201
#define ID_TEST_CLOSE 202
#define ID_TEST_INNER 203
