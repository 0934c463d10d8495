#include <gtest/gtest.h>

#include <vector>

#include "ControlHost.h"
#include "TestPage.h"
#include "common/WindowMessages.h"
#include "window/SettingList.h"

namespace {

const UINT kListId = 4239;

struct ClickCase {
    const char* name;
    std::vector<UINT> messages;  // mouse messages at the list's middle
    size_t clicks;
};
void PrintTo(const ClickCase& c, std::ostream* out) { *out << c.name; }

class SettingListTest : public testing::TestWithParam<ClickCase> {};

// The settings dialog's list: its parent hears of a button released inside it.
TEST_P(SettingListTest, TellsTheParentOfAReleaseInside) {
    const ClickCase& c = GetParam();
    CControlHost host;
    ASSERT_TRUE(host.Open(RECT{760, 100, 960, 540}));
    CSettingList list;
    ASSERT_TRUE(list.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{10, 40, 188, 420}, &host, kListId));
    PumpMessages();
    host.notes.clear();
    for (UINT message : c.messages)
        list.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(80, 20));
    PumpMessages();
    std::vector<CControlHost::NOTE> clicks = host.Notes(WM_SETTING_LIST_CLICK);
    ASSERT_EQ(c.clicks, clicks.size());
    for (const auto& click : clicks) {
        EXPECT_EQ(kListId, click.wParam);
        EXPECT_EQ(0, click.lParam);
    }
}

INSTANTIATE_TEST_SUITE_P(Clicks, SettingListTest,
                         testing::Values(ClickCase{"PressAndRelease", {WM_LBUTTONDOWN, WM_LBUTTONUP}, 1},
                                         ClickCase{"PressStartedOutside", {WM_LBUTTONUP}, 1},
                                         ClickCase{"PressOnly", {WM_LBUTTONDOWN}, 0},
                                         ClickCase{"MoveOnly", {WM_MOUSEMOVE}, 0}));

}  // namespace
