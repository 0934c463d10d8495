// The main window's page driven as the user drives it: clicks on its elements, its
// menus, the enable matrix of the play controls, the volume, the service tabs and the
// records the catalogue thread posts.
#include "MainWndFixture.h"

#include "account/LoginAccount.h"
#include "common/WindowMessages.h"
#include "resource.h"
#include "files/ScratchFolder.h"
#include "element/ElementVideoTab.h"
#include "facade/AppFacade.h"
#include "web/WebInfo.h"

namespace {

int g_freedRecords = 0;

struct CountedCategory : BASE_WEB_INFO {
    using BASE_WEB_INFO::BASE_WEB_INFO;
    ~CountedCategory() override { ++g_freedRecords; }
};

struct CountedNewest : WEB_INFO_NEWESE_VIDEO {
    using WEB_INFO_NEWESE_VIDEO::WEB_INFO_NEWESE_VIDEO;
    ~CountedNewest() override { ++g_freedRecords; }
};

class MainWndControlsTest : public MainWndTest {
protected:
    bool Disabled(LPCWSTR id) { return htmlayout::dom::has_state(Manager().GetElementById(id), STATE_DISABLED); }
    int Children(LPCWSTR id) { return (int)Manager().GetElementById(id).child_count(); }
    // Three files of the play list, in the page's list too.
    void AddThree() {
        for (const wchar_t* name : {L"a.xof", L"b.xof", L"c.xof"}) {
            CString path = files.Write(name, "FLV").c_str();
            Wnd().AddPlayListItem(path, GetFileTitleFromPath(path), false);
        }
    }
    CString FilePath(const wchar_t* name) { return files.File(name).c_str(); }
    std::string FileCall(const char* call, const wchar_t* name) {
        return std::string(call) + " " + CStringA(FilePath(name)).GetString();
    }
    ScratchFolder files;
};

TEST_F(MainWndControlsTest, ClicksOnThePageDoWhatTheirButtonsSay) {
    Open();
    RecordDialogMessages();
    CAppFacade& facade = CAppFacade::GetInstance();
    AddThree();
    facade.SetCurrentPath(FilePath(L"b.xof"));
    facade.SetPlayState(PLAY_STATE_PAUSED);
    Wnd().RefreshPlayState();
    struct Case {
        LPCWSTR id;
        std::string call;  // in the windows' calls, the dialog's messages or the opened pages
    };
    const Case cases[] = {
        {L"min", "MinimizeToTray"},
        {L"play-pause", "OnPlayPause"},
        {L"btn-speaker", "ToggleMute"},
        {L"next", FileCall("OpenFile", L"c.xof")},
        {L"pre", FileCall("OpenFile", L"b.xof")},
        {L"close", "WM_CLOSE 0"},
        {L"register", "- http://passport.zemovista.com/?controller=register"},
        {L"recharge", "C:\\Program Files\\Internet Explorer\\iexplore.exe http://pay.zemovista.com/sjpay/pay/Index.aspx"},
        {L"hide-right", "SetViewModeFromId hide-right"},
    };
    for (const Case& c : cases) {
        windows.calls.clear();
        DialogMessages().clear();
        OpenedPages().clear();
        facade.SetPlayState(PLAY_STATE_PAUSED);
        Wnd().RefreshPlayState();
        if (wcscmp(c.id, L"recharge") == 0) {  // shown with the signed-in account
            LOGIN_ACCOUNT account;
            account.NickName = L"汤姆";
            Manager().ShowAccount(account);
        }
        ClickElement(c.id);
        bool seen = Called(c.call) ||
                    std::find(DialogMessages().begin(), DialogMessages().end(), c.call) != DialogMessages().end() ||
                    std::find(OpenedPages().begin(), OpenedPages().end(), c.call) != OpenedPages().end();
        EXPECT_TRUE(seen) << CStringA(c.id).GetString() << " should give " << c.call;
    }

    ClickElement(L"random");
    EXPECT_EQ(1, CUserConfig::GetInstance().GetOtherConfig().PlayOrder);
    EXPECT_STREQ(L"focus", Manager().GetElementById(L"random").get_attribute("mode"));
    EXPECT_STREQ(L"normal", Manager().GetElementById(L"sequence").get_attribute("mode"));
    ClickElement(L"show-both");
    ClickElement(L"clear-list");
    EXPECT_EQ(0, Children(L"tab-video-list"));
    EXPECT_EQ(nullptr, facade.GetPlayListPaths(false));
}

TEST_F(MainWndControlsTest, ServiceTextsOpenTheirPages) {
    Open();
    struct Case {
        LPCWSTR id;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {L"ranking-list-text", {"ShowWebView(navigate) " + service.Url("/Rank.aspx")}},
        {L"subscribe-text", {"ShowWebView(navigate) " + service.Url("/Subscribe.aspx")}},
        {L"charge-text", {"ShowWebView(navigate) " + service.Url("/Vip.aspx")}},
        {L"video-text", {"ShowWebView(navigate) " + service.Url("/index.aspx")}},
        {L"download-manage-text", {"Pause", "ShowDownloadView"}},
    };
    for (const Case& c : cases) {
        windows.webPage = false;
        windows.calls.clear();
        ClickElement(c.id);
        EXPECT_EQ(c.calls, windows.calls) << CStringA(c.id).GetString();
    }
}

TEST_F(MainWndControlsTest, TabPagesOneToFive) {
    Open();
    struct Case {
        int tab;
        bool pageShown;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {1, false, {"ShowWebView(navigate) " + service.Url("/index.aspx")}},
        {1, true, {"ShowWebView "}},  // back to the page it holds, not loaded again
        {2, true, {"ShowWebView(navigate) " + service.Url("/Rank.aspx")}},
        {3, true, {"ShowWebView(navigate) " + service.Url("/Subscribe.aspx")}},
        {4, true, {"ShowWebView(navigate) " + service.Url("/Vip.aspx")}},
        {5, true, {"ShowWebView(navigate) " + service.Url("/index.aspx")}},
        {0, false, {}},
        {6, false, {}},
    };
    for (const Case& c : cases) {
        windows.webPage = c.pageShown;
        windows.calls.clear();
        Wnd().OpenTabPage(c.tab);
        EXPECT_EQ(c.calls, windows.calls) << c.tab;
    }
}

TEST_F(MainWndControlsTest, PostedCatalogueRecordsReachTheListsAndAreFreed) {
    Open();
    int categories = Children(L"video-subcategory"), newest = Children(L"tab-newest-video");
    g_freedRecords = 0;
    Wnd().PostMessage(WM_VIDEO_CATEGORY_ITEM, (WPARAM) new CountedCategory(L"热血动画", L"http://127.0.0.1/c/1"), 0);
    Wnd().PostMessage(WM_VIDEO_CATEGORY_ITEM, (WPARAM) new CountedCategory(L"少儿益智", L"http://127.0.0.1/c/2"), 0);
    Wnd().PostMessage(WM_RECENT_UPLOAD_ITEM,
                      (WPARAM) new CountedNewest(L"第1集", L"http://127.0.0.1/v/1", L"", L"简介", L"0"), 0);
    PumpFor(60);
    EXPECT_EQ(categories + 2, Children(L"video-subcategory"));
    EXPECT_GT(Children(L"tab-newest-video"), newest);
    EXPECT_EQ(3, g_freedRecords);
    EXPECT_STREQ(L"少儿益智", htmlayout::dom::element(Manager().GetElementById(L"video-subcategory").child_at(
                                                      categories + 1))
                                 .inner_text()
                                 .c_str());

    // A click on a category opens its page in the play dialog.
    windows.calls.clear();
    RECT box = htmlayout::dom::element(Manager().GetElementById(L"video-subcategory").child_at(categories)).location();
    ClickAt({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
    EXPECT_TRUE(Called("ShowWebView(navigate) http://127.0.0.1/c/1"));
}

TEST_F(MainWndControlsTest, TheCommandLinePlaysItsFirstFile) {
    Open();
    struct Case {
        std::vector<CString> args;
        bool played;
        std::vector<std::string> opened;
    };
    AddThree();
    const Case cases[] = {
        {{L"Zemovista.exe"}, false, {}},
        {{L"Zemovista.exe", FilePath(L"a.xof")}, true, {FileCall("OpenFile", L"a.xof")}},
        {{L"Zemovista.exe", FilePath(L"a.xof"), FilePath(L"b.xof")}, true, {FileCall("OpenFile", L"a.xof")}},
    };
    for (const Case& c : cases) {
        windows.calls.clear();
        EXPECT_EQ(c.played, Wnd().PlayCommandLine(c.args)) << c.args.size();
        std::vector<std::string> opened;
        for (const std::string& call : windows.calls)
            if (call.rfind("OpenFile", 0) == 0) opened.push_back(call);
        EXPECT_EQ(c.opened, opened) << c.args.size();
    }
}

TEST_F(MainWndControlsTest, EnableMatrixOfThePlayControls) {
    Open();
    CAppFacade& facade = CAppFacade::GetInstance();
    AddThree();
    struct Case {
        int state;
        LPCWSTR current;
        bool mute;
        bool playPause, speaker, volume, pre, next;
    };
    const Case cases[] = {
        {PLAY_STATE_PLAYING, L"b.xof", false, true, true, true, true, true},
        {PLAY_STATE_PAUSED, L"a.xof", false, true, true, true, false, true},
        {PLAY_STATE_PLAYING, L"c.xof", true, true, true, false, true, false},
        {PLAY_STATE_STOPPED, L"b.xof", false, false, false, false, false, false},
        {PLAY_STATE_NONE, L"b.xof", false, false, false, false, false, false},
        {PLAY_STATE_PLAYING, L"", false, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        facade.SetPlayState(c.state);
        facade.SetCurrentPath(*c.current ? FilePath(c.current) : CString());
        CUserConfig::GetInstance().GetOtherConfig().Mute = c.mute;
        windows.calls.clear();
        Wnd().RefreshPlayState();
        std::string what = std::to_string(c.state) + " " + CStringA(c.current).GetString();
        EXPECT_EQ(!c.playPause, Disabled(L"play-pause")) << what;
        EXPECT_EQ(!c.speaker, Disabled(L"btn-speaker")) << what;
        EXPECT_EQ(!c.volume, Disabled(L"slider-volume")) << what;
        EXPECT_EQ(!c.pre, Disabled(L"pre")) << what;
        EXPECT_EQ(!c.next, Disabled(L"next")) << what;
        EXPECT_TRUE(Called(c.playPause ? "EnableSeekBar(on)" : "EnableSeekBar(off)")) << what;
    }
}

// The menus from the program's resources as their hooks leave them before they show.
TEST_F(MainWndControlsTest, MenusWithTheirGreyedItems) {
    Open();
    AddThree();
    auto grayed = [](UINT menuId, void (*hook)(CMenu*, const CString&), const CString& parameter) {
        CMenu menu;
        EXPECT_TRUE(menu.LoadMenu(menuId));
        CMenu* popup = menu.GetSubMenu(0);
        hook(popup, parameter);
        std::vector<UINT> ids;
        for (int i = 0; i < popup->GetMenuItemCount(); ++i) {
            UINT id = popup->GetMenuItemID(i);
            if (id != 0 && (popup->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED)) ids.push_back(id);
        }
        return ids;
    };
    struct Case {
        const char* what;
        UINT menu;
        void (*hook)(CMenu*, const CString&);
        int state;
        CString path;
        std::vector<UINT> grayed;
    };
    const Case cases[] = {
        {"file menu, nothing open", IDR_MENU_FILE, &FileMenuHook, PLAY_STATE_NONE, L"", {ID_FILE_CLOSE}},
        {"file menu, playing", IDR_MENU_FILE, &FileMenuHook, PLAY_STATE_PLAYING, L"", {}},
        {"file menu, stopped", IDR_MENU_FILE, &FileMenuHook, PLAY_STATE_STOPPED, L"", {}},
        {"first item", IDR_MENU_PLAYLIST_ITEM, &ItemMenuHook, PLAY_STATE_NONE, FilePath(L"a.xof"), {ID_ITEM_UP}},
        {"middle item", IDR_MENU_PLAYLIST_ITEM, &ItemMenuHook, PLAY_STATE_NONE, FilePath(L"b.xof"), {}},
        {"last item, other case", IDR_MENU_PLAYLIST_ITEM, &ItemMenuHook, PLAY_STATE_NONE, FilePath(L"C.XOF"),
         {ID_ITEM_DOWN}},
    };
    for (const Case& c : cases) {
        CAppFacade::GetInstance().SetPlayState(c.state);
        EXPECT_EQ(c.grayed, grayed(c.menu, c.hook, c.path)) << c.what;
    }
}

TEST_F(MainWndControlsTest, VolumeUpDownMuteAndWheel) {
    Open();
    Manager().SetElementAttribute(L"slider-volume", "value", L"50");
    struct Step {
        const char* what;
        std::function<void()> act;
        int value;
        std::vector<std::string> calls;
    };
    MSG wheelUp = {Wnd().m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0};
    MSG wheelDown = {Wnd().m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-WHEEL_DELTA), 0};
    const Step steps[] = {
        {"up", [this] { Wnd().VolumeUp(); }, 51, {"SetVolume 51"}},
        {"down", [this] { Wnd().VolumeDown(); }, 50, {"SetVolume 50"}},
        {"wheel up", [&] { EXPECT_TRUE(Wnd().PreTranslateMessage(&wheelUp)); }, 51, {"SetVolume 51"}},
        {"wheel down", [&] { EXPECT_TRUE(Wnd().PreTranslateMessage(&wheelDown)); }, 50, {"SetVolume 50"}},
        {"set 100 then up", [this] { Manager().SetVolume(100); Wnd().VolumeUp(); }, 100, {"SetVolume 100"}},
        {"mute", [this] { Wnd().MuteSound(); }, 100, {"ToggleMute", "EnableSeekBar(off)", "RefreshControlBar"}},
    };
    for (const Step& s : steps) {
        windows.calls.clear();
        s.act();
        EXPECT_EQ(s.value, Manager().GetElementValue(L"slider-volume")) << s.what;
        EXPECT_EQ(s.calls, windows.calls) << s.what;
    }
    EXPECT_EQ(100, CUserConfig::GetInstance().GetOtherConfig().Volume) << "kept before muting";
    CUserConfig::GetInstance().GetOtherConfig().Mute = true;  // what the play dialog's mute does
    windows.calls.clear();
    Wnd().VolumeDown();
    Manager().SetVolume(20);
    EXPECT_TRUE(windows.calls.empty()) << "nothing while muted";

    // A slider without a value gives 0 to the play dialog, never -1.
    CUserConfig::GetInstance().GetOtherConfig().Mute = false;
    HTMLayoutSetAttributeByName(Manager().GetElementById(L"slider-volume"), "value", nullptr);
    windows.calls.clear();
    Manager().OnButtonStateChanged(L"slider-volume");
    EXPECT_EQ(std::vector<std::string>{"SetVolume 0"}, windows.calls);
}

}  // namespace

namespace {

TEST_F(MainWndControlsTest, HelpAndFeedbackOpenInTheBrowserProgram) {
    Open();
    const struct {
        UINT command;
        std::string address;
    } cases[] = {
        {ID_HELP_ONLINE, "http://www.zemovista.com:8080/parent/faq.shtml"},
        {ID_HELP_FEEDBACK, "http://www.zemovista.com:8080/forumdisplay.php?fid=29"},
    };
    for (const auto& c : cases) {
        OpenedPages().clear();
        Wnd().SendMessage(WM_COMMAND, c.command, 0);
        EXPECT_EQ(std::vector<std::string>{"C:\\Program Files\\Internet Explorer\\iexplore.exe " + c.address},
                  OpenedPages());
    }
}

TEST_F(MainWndControlsTest, CloseVideoEmptiesTheSeekBarAndTheCurrentItem) {
    Open();
    AddThree();
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.SetCurrentPath(FilePath(L"b.xof"));
    facade.SetPlayState(PLAY_STATE_PLAYING);
    Wnd().OnPlayStarted();
    windows.calls.clear();
    Wnd().CloseVideo();
    std::vector<std::string> expected = {"ShowVideoArea(panel)", "Stop",          "SetSeekTitle ", "SetSeekElapsed ",
                                         "SetSeekTotal ",        "SetSeekPosition(seek) 0", "EnableSeekBar(off)",
                                         "RefreshControlBar"};
    EXPECT_EQ(expected, windows.calls);
    EXPECT_EQ(PLAY_STATE_NONE, facade.GetPlayState());
    EXPECT_STREQ(L"", facade.GetCurrentPath());
    EXPECT_FALSE(Manager().GetElementById(L"playing-video").is_valid());
    windows.calls.clear();
    PumpFor(700);
    EXPECT_FALSE(Called("SetSeekElapsed 00:00:00")) << "the play-time timer stopped";
}

TEST_F(MainWndControlsTest, WhilePlayingTheTimerFillsTheSeekBar) {
    Open();
    windows.totalTime = L"00:20:00";
    windows.calls.clear();
    Wnd().OnPlayStarted();
    EXPECT_TRUE(Called("ShowVideoArea(video)"));
    PumpFor(700);
    EXPECT_TRUE(Called("SetSeekElapsed 00:00:00"));
    EXPECT_TRUE(Called("SetSeekTotal 00:20:00"));
    EXPECT_TRUE(Called("SetSeekPosition 0"));
    CAppFacade::GetInstance().SetFullScreen(true);
    windows.calls.clear();
    PumpFor(700);
    EXPECT_TRUE(Called("ShowControlBarTimes 0 00:00:00 00:20:00")) << "in full screen the control bar shows them";
    EXPECT_FALSE(Called("SetSeekTotal 00:20:00"));
}

}  // namespace
