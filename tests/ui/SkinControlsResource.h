// Resource ids of the skinned controls' tests.
#pragma once

#define IDR_SKIN_TEST_MENU 300
#define IDR_FLAT_TEST_MENU 301
#define ID_SKIN_OPEN       311
#define ID_SKIN_CLOSE      312
#define ID_SKIN_INNER      313
#define ID_SKIN_EXIT       314
