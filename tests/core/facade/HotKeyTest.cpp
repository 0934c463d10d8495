#include <gtest/gtest.h>

#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "fakes/FakeWindows.h"

namespace {

constexpr int kRecorderId = 501;
std::vector<std::pair<int, void*>> g_broadcasts;

class BroadcastRecorder : public CBaseControl {
public:
    BroadcastRecorder() : CBaseControl(nullptr, nullptr) {}
    int Execute(int code, void* data) override {
        g_broadcasts.emplace_back(code, data);
        return 0;
    }
};

// Sets the thread's key state that GetKeyState reads.
void SetModifiers(bool ctrl, bool alt) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(keys);
}

struct HotKeyCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    bool ctrl, alt, fullScreen, webView;
    int expected;
    std::vector<std::string> calls;
    int broadcast;  // 0: none
};

void PrintTo(const HotKeyCase& c, std::ostream* out) { *out << c.name; }

class HotKeyTest : public testing::TestWithParam<HotKeyCase> {
protected:
    void SetUp() override {
        static bool registered = CAppFacade::GetInstance().RegisterControl(kRecorderId, new BroadcastRecorder);
        ASSERT_TRUE(registered);
        g_broadcasts.clear();
    }
    void TearDown() override {
        SetModifiers(false, false);
        CAppFacade::GetInstance().SetFullScreen(false);
    }
};

TEST_P(HotKeyTest, ActsAndReportsWhetherTheMessageWasUsed) {
    const HotKeyCase& c = GetParam();
    FakeWindows windows;
    windows.webViewVisible = c.webView;
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.SetFullScreen(c.fullScreen);
    SetModifiers(c.ctrl, c.alt);

    MSG message = {};
    message.message = c.message;
    message.wParam = c.wParam;
    EXPECT_EQ(c.expected, facade.HandleHotKey(&message));
    EXPECT_EQ(c.calls, windows.calls);
    if (c.broadcast) {
        ASSERT_EQ(1u, g_broadcasts.size());
        EXPECT_EQ(c.broadcast, g_broadcasts[0].first);
        EXPECT_EQ(nullptr, g_broadcasts[0].second);
    } else {
        EXPECT_TRUE(g_broadcasts.empty());
    }
}

const WPARAM kWheelUp = MAKEWPARAM(0, 120);
const WPARAM kWheelDown = MAKEWPARAM(0, (WORD)-120);

INSTANTIATE_TEST_SUITE_P(
    Keys, HotKeyTest,
    testing::Values(
        HotKeyCase{"Tab", WM_KEYDOWN, VK_TAB, false, false, false, false, 1, {"CycleViewMode"}, 0},
        HotKeyCase{"TabInFullScreenIsSwallowed", WM_KEYDOWN, VK_TAB, false, false, true, false, 1, {}, 0},
        HotKeyCase{
            "EnterTogglesAndGoesOn", WM_KEYDOWN, VK_RETURN, false, false, false, false, 0, {"ToggleFullScreen"}, 0},
        HotKeyCase{"EscInFullScreen", WM_KEYDOWN, VK_ESCAPE, false, false, true, false, 1, {"ToggleFullScreen"}, 0},
        HotKeyCase{"EscOutsideFullScreen", WM_KEYDOWN, VK_ESCAPE, false, false, false, false, 0, {}, 0},
        HotKeyCase{"Space", WM_KEYDOWN, VK_SPACE, false, false, false, false, 1, {"TogglePlayPause"}, 0},
        HotKeyCase{
            "SpaceWhileWebViewShown", WM_KEYDOWN, VK_SPACE, false, false, false, true, 1, {"TogglePlayPause"}, 0},
        HotKeyCase{"CtrlPageUp", WM_KEYDOWN, VK_PRIOR, true, false, false, false, 1, {}, CMD_PLAY_PREV},
        HotKeyCase{"CtrlPageDown", WM_KEYDOWN, VK_NEXT, true, false, false, false, 1, {}, CMD_PLAY_NEXT},
        HotKeyCase{"PageDownWithoutCtrl", WM_KEYDOWN, VK_NEXT, false, false, false, false, 0, {}, 0},
        HotKeyCase{"Up", WM_KEYDOWN, VK_UP, false, false, false, false, 1, {"VolumeUp"}, 0},
        HotKeyCase{"Down", WM_KEYDOWN, VK_DOWN, false, false, false, false, 1, {"VolumeDown"}, 0},
        HotKeyCase{"CtrlM", WM_KEYDOWN, 'M', true, false, false, false, 1, {"MuteSound"}, 0},
        HotKeyCase{"MWithoutCtrl", WM_KEYDOWN, 'M', false, false, false, false, 0, {}, 0},
        HotKeyCase{"CtrlO", WM_KEYDOWN, 'O', true, false, false, false, 1, {}, CMD_OPEN_FILE},
        HotKeyCase{"CtrlS", WM_KEYDOWN, 'S', true, false, false, false, 1, {"StopPlay"}, 0},
        HotKeyCase{"F1", WM_KEYDOWN, VK_F1, false, false, false, false, 1, {"OnHelpOnline"}, 0},
        HotKeyCase{"Alt1", WM_SYSKEYDOWN, '1', false, true, false, false, 1, {"SetVideoSizeOriginal"}, 0},
        HotKeyCase{"AltNumpad1", WM_SYSKEYDOWN, VK_NUMPAD1, false, true, false, false, 1, {"SetVideoSizeOriginal"}, 0},
        HotKeyCase{"Alt2", WM_SYSKEYDOWN, '2', false, true, false, false, 1, {"SetVideoSizeDouble"}, 0},
        HotKeyCase{"AltNumpad2", WM_SYSKEYDOWN, VK_NUMPAD2, false, true, false, false, 1, {"SetVideoSizeDouble"}, 0},
        HotKeyCase{"AltO", WM_SYSKEYDOWN, 'O', false, true, false, false, 1, {"ShowSettingsDialog"}, 0},
        HotKeyCase{"SysKeyWithoutAlt", WM_SYSKEYDOWN, '1', false, false, false, false, 0, {}, 0},
        HotKeyCase{"WheelUp", WM_MOUSEWHEEL, kWheelUp, false, false, false, false, 1, {"ChangeVolumeByWheel(up)"}, 0},
        HotKeyCase{
            "WheelDown", WM_MOUSEWHEEL, kWheelDown, false, false, false, false, 1, {"ChangeVolumeByWheel(down)"}, 0},
        HotKeyCase{"WheelWhileWebViewShown", WM_MOUSEWHEEL, kWheelUp, false, false, false, true, 0, {}, 0},
        HotKeyCase{"OtherMessage", WM_CHAR, 'a', false, false, false, false, 0, {}, 0}),
    [](const testing::TestParamInfo<HotKeyCase>& info) { return std::string(info.param.name); });

MSG SpaceKey() {
    MSG message = {};
    message.message = WM_KEYDOWN;
    message.wParam = VK_SPACE;
    return message;
}

TEST(HotKeyStateTest, NoShortcutWithoutMainDialogOrWhileItIsInTheTray) {
    MSG space = SpaceKey();
    {
        FakeWindows windows(false);
        EXPECT_EQ(0, CAppFacade::GetInstance().HandleHotKey(&space));
    }
    FakeWindows windows;
    windows.inTray = true;
    EXPECT_EQ(0, CAppFacade::GetInstance().HandleHotKey(&space));
    EXPECT_TRUE(windows.calls.empty());
}

TEST(HotKeyStateTest, NoShortcutWhileTheMainDialogIsMinimised) {
    FakeWindows windows;
    windows.dialog.m_hWnd = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW | WS_MINIMIZE, 0, 0, 200, 100,
                                            nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, windows.dialog.m_hWnd);
    ASSERT_TRUE(IsIconic(windows.dialog.m_hWnd));
    MSG space = SpaceKey();
    EXPECT_EQ(0, CAppFacade::GetInstance().HandleHotKey(&space));
    EXPECT_TRUE(windows.calls.empty());
    DestroyWindow(windows.dialog.m_hWnd);
    windows.dialog.m_hWnd = nullptr;
}

}  // namespace
