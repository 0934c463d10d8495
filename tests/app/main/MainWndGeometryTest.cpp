#include <gtest/gtest.h>

#include <string>

#include "MainWndFixture.h"
#include "MainWndGeometry.h"

namespace {

const RECT kClient = {0, 0, 1024, 753};

TEST(MainWndGeometry, BorderZonesInTheirOrder) {
    struct Case {
        POINT at;
        BORDER_HIT hit;
        LPCWSTR cursor;
    };
    const Case cases[] = {
        {{1023, 752}, BORDER_BOTTOM_RIGHT, IDC_SIZENWSE},
        {{1018, 747}, BORDER_BOTTOM_RIGHT, IDC_SIZENWSE},
        {{1017, 746}, BORDER_BOTTOM, IDC_SIZENS},  // 7 from the right and 7 from the bottom: the edge
        {{0, 752}, BORDER_BOTTOM_LEFT, IDC_SIZENESW},
        {{6, 747}, BORDER_BOTTOM_LEFT, IDC_SIZENESW},
        {{0, 0}, BORDER_TOP_LEFT, IDC_SIZENWSE},
        {{6, 9}, BORDER_TOP_LEFT, IDC_SIZENWSE},
        {{6, 10}, BORDER_LEFT, IDC_SIZEWE},
        {{1023, 0}, BORDER_TOP_RIGHT, IDC_SIZENESW},
        {{1018, 9}, BORDER_TOP_RIGHT, IDC_SIZENESW},
        {{500, 745}, BORDER_BOTTOM, IDC_SIZENS},
        {{500, 744}, BORDER_NONE, nullptr},
        {{500, 3}, BORDER_TOP, IDC_SIZENS},
        {{500, 4}, BORDER_NONE, nullptr},
        {{8, 300}, BORDER_LEFT, IDC_SIZEWE},
        {{9, 300}, BORDER_NONE, nullptr},
        {{1016, 300}, BORDER_RIGHT, IDC_SIZEWE},
        {{1015, 300}, BORDER_NONE, nullptr},
    };
    for (const Case& c : cases) {
        BORDER_HIT hit = BorderHitAt(kClient, c.at);
        EXPECT_EQ(c.hit, hit) << c.at.x << "," << c.at.y;
        EXPECT_EQ(c.cursor, BorderCursor(hit)) << c.at.x << "," << c.at.y;
    }
}

bool OnlyTheScreen(POINT p) { return p.x >= 0 && p.y >= 0 && p.x < 1600 && p.y < 1000; }

TEST(MainWndGeometry, StartRectangleSettles) {
    const RECT work = {0, 0, 1600, 960};
    const RECT fallback = {160, 103, 1440, 856};
    struct Case {
        const char* what;
        RECT stored;
        bool maximized;
        RECT expected;
    };
    const Case cases[] = {
        {"all zero", {0, 0, 0, 0}, false, fallback},
        {"all zero while maximised", {0, 0, 0, 0}, true, fallback},
        {"maximised", {10, 10, 1100, 800}, true, work},
        {"on the screen", {10, 10, 1100, 800}, false, {10, 10, 1100, 800}},
        {"flush with the right and bottom edges", {576, 247, 1600, 1000}, false, {576, 247, 1600, 1000}},
        {"one pixel past the right edge", {577, 247, 1601, 1000}, false, fallback},
        {"a corner above the screen", {10, -1, 1100, 800}, false, fallback},
        {"a corner left of the screen", {-5, 10, 1100, 800}, false, fallback},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(c.expected), Show(SettleStartRect(c.stored, c.maximized, work, fallback, &OnlyTheScreen)))
            << c.what;
}

TEST(MainWndGeometry, ViewModeSizeKeepsTheCentreAboveTheFloors) {
    struct Case {
        RECT window;
        int change;
        RECT expected;
    };
    const Case cases[] = {
        {{100, 50, 1400, 850}, 431, {315, 50, 1340, 850}},   // 1300 wide, both panels hidden: 870 is below the floor
        {{100, 50, 1400, 850}, 234, {217, 50, 1283, 850}},   // right panel hidden: 1066 wide
        {{100, 50, 1124, 803}, -431, {-115, 50, 1339, 803}}, // both shown again: wider, centre kept
        {{100, 50, 1124, 803}, 0, {100, 50, 1125, 803}},     // exactly 1024 becomes 1025
        {{100, 50, 1200, 700}, 0, {100, 50, 1200, 803}},     // lower than 753
        {{100, 50, 1200, 803}, -1, {100, 50, 1200, 803}},    // exactly 753 stays; -1/2 is 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(c.expected), Show(ResizeKeepingCentre(c.window, c.change))) << Show(c.window) << " " << c.change;
}

}  // namespace
