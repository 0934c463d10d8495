// The play-control bar in a real window beside the main window, its page the program
// folder's "playctrlwnd.html".
#include "MainWndFixture.h"

#include "PlayControlWnd.h"
#include "facade/AppFacade.h"

namespace {

const int kBarWidth = 800;

class PlayControlWndTest : public MainWndTest {
protected:
    void OpenBar() {
        Open();
        RECT r = {kDialogAt.x, kDialogAt.y + 760, kDialogAt.x + kBarWidth, kDialogAt.y + 800};
        ASSERT_TRUE(host.CreateEx(WS_EX_TOPMOST, nullptr, L"control bar", WS_POPUP | WS_VISIBLE, r, nullptr, 0));
        ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {0, 0, kBarWidth, 40}, &host, 1));
        PumpFor(40);
    }
    void TearDown() override {
        bar.DestroyWindow();
        host.DestroyWindow();
        MainWndTest::TearDown();
    }
    CPlayControlWndCtrlManager& Bar() { return *bar.GetManager(); }
    CString Mode(LPCWSTR id) { return Bar().GetElementById(id).get_attribute("mode"); }
    bool Disabled(LPCWSTR id) { return htmlayout::dom::has_state(Bar().GetElementById(id), STATE_DISABLED); }
    void ClickBar(LPCWSTR id) {
        RECT box = Bar().GetElementRect(id);
        LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        bar.PostMessage(WM_MOUSEMOVE, 0, at);
        bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        bar.PostMessage(WM_LBUTTONUP, 0, at);
        PumpFor(40);
    }

    CWnd host;
    CPlayControlWnd bar;
};

TEST_F(PlayControlWndTest, ButtonsSitAroundTheMiddleOfTheWidth) {
    OpenBar();
    const struct {
        LPCWSTR id;
        int left;
    } places[] = {{L"play-pause", 388}, {L"pre", 336}, {L"next", 440}, {L"btn-speaker", 530}, {L"slider-volume", 550}};
    for (const auto& place : places) {
        EXPECT_EQ(place.left, Bar().GetElementRect(place.id).left) << CStringA(place.id).GetString();
        CString style;
        style.Format(L"%dpx", place.left);
        EXPECT_STREQ(style, Bar().GetElementStyle(place.id, "left"));
    }
    RECT time = bar.GetPlayTimeRect();
    EXPECT_EQ(Show({80, 0, 205, 40}), Show(time));
}

TEST_F(PlayControlWndTest, StatesFollowThePlayStateAndTheSound) {
    OpenBar();
    struct Case {
        int state;
        bool mute;
        LPCWSTR play, sound;
    };
    const Case cases[] = {
        {PLAY_STATE_PLAYING, false, L"pause", L"sound"},
        {PLAY_STATE_PAUSED, false, L"play", L"sound"},
        {PLAY_STATE_STOPPED, true, L"play", L"mute"},
        {PLAY_STATE_NONE, false, L"play", L"sound"},
    };
    for (const Case& c : cases) {
        CAppFacade::GetInstance().SetPlayState(c.state);
        CUserConfig::GetInstance().GetOtherConfig().Mute = c.mute;
        Bar().RefreshState();
        EXPECT_STREQ(c.play, Mode(L"play-pause")) << c.state;
        EXPECT_STREQ(c.sound, Mode(L"btn-speaker")) << c.state;
        EXPECT_STREQ(c.sound, Mode(L"slider-volume")) << c.state;
    }
}

TEST_F(PlayControlWndTest, EnabledElementsFollowThePlayList) {
    OpenBar();
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.AddItem(L"C:\\v\\a.xof");
    facade.AddItem(L"C:\\v\\b.xof");
    facade.AddItem(L"C:\\v\\c.xof");
    struct Case {
        LPCWSTR current;
        bool mute;
        bool play, volume, pre, next;
    };
    const Case cases[] = {
        {L"C:\\v\\a.xof", false, true, true, false, true},
        {L"C:\\v\\b.xof", false, true, true, true, true},
        {L"C:\\v\\c.xof", true, true, false, true, false},
        {L"", false, false, false, false, false},  // no current item: neither first nor last is left
    };
    for (const Case& c : cases) {
        facade.SetCurrentPath(c.current);
        CUserConfig::GetInstance().GetOtherConfig().Mute = c.mute;
        Bar().RefreshEnabled();
        std::string what = CStringA(c.current).GetString();
        EXPECT_EQ(!c.play, Disabled(L"play-pause")) << what;
        EXPECT_EQ(!c.volume, Disabled(L"slider-volume")) << what;
        EXPECT_EQ(!c.pre, Disabled(L"pre")) << what;
        EXPECT_EQ(!c.next, Disabled(L"next")) << what;
    }
}

TEST_F(PlayControlWndTest, ClicksReachThePlayDialogThroughTheCommands) {
    OpenBar();
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.AddItem(L"C:\\v\\a.xof");
    facade.SetCurrentPath(L"C:\\v\\a.xof");
    Bar().RefreshEnabled();
    windows.calls.clear();
    ClickBar(L"play-pause");
    EXPECT_TRUE(Called("OnPlayPause"));
    Bar().ShowVolume(30);
    ClickBar(L"btn-speaker");
    EXPECT_TRUE(Called("ToggleMute"));
    EXPECT_EQ(30, CUserConfig::GetInstance().GetOtherConfig().Volume) << "the slider's value is kept before muting";

    Bar().SetPlayTimes(L"00:01:02", L"00:20:00");
    EXPECT_STREQ(L"00:01:02 / 00:20:00", Bar().GetElementById(L"play-time").inner_text().c_str());
}

TEST_F(PlayControlWndTest, AVolumeSliderWithoutValueGivesZero) {
    OpenBar();
    Bar().GetElementById(L"slider-volume");
    ASSERT_EQ(HLDOM_OK, HTMLayoutSetAttributeByName(Bar().GetElementById(L"slider-volume"), "value", nullptr));
    EXPECT_EQ(-1, Bar().GetElementValue(L"slider-volume"));
    EXPECT_EQ(0, Bar().GetVolume());
    windows.calls.clear();
    Bar().OnButtonStateChanged(L"slider-volume");
    EXPECT_TRUE(Called("SetVolume 0")) << "never -1";
}

}  // namespace
