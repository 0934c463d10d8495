#include <gtest/gtest.h>

#include <algorithm>

#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "control/PlayControl.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "fakes/FakeWindows.h"
#include "playlist/PlayOrder.h"

namespace {

using Calls = std::vector<std::string>;

// The play control on the test windows and the facade's play list, with three
// files that exist (a, b, c) in a folder of their own.
class PlayControlTest : public testing::Test {
protected:
    PlayControlTest() : m_folder(GetTempFilePath() + L"\\"), m_control(&m_windows.mainWnd, nullptr) {
        CreateDirectoryW(m_folder, nullptr);
        for (const wchar_t* name : {L"a.xof", L"b.xof", L"c.xof"}) {
            HANDLE file = CreateFileW(m_folder + name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            CloseHandle(file);
        }
        Facade().ClearPlayList(false);
        Facade().SetCurrentPath(CString());
        Facade().SetFullScreen(false);
        CUserConfig::GetInstance().GetOtherConfig().SetPlayOrder(PLAY_ORDER_SEQUENTIAL);
    }
    ~PlayControlTest() override {
        for (const wchar_t* name : {L"a.xof", L"b.xof", L"c.xof"}) DeleteFileW(m_folder + name);
        RemoveDirectoryW(m_folder);
        Facade().ClearPlayList(false);
    }

    static CAppFacade& Facade() { return CAppFacade::GetInstance(); }
    CString Path(const wchar_t* name) const { return m_folder + name; }
    std::string Utf8(const CString& text) const {
        std::string out;
        WideToUtf8(text, true, out);
        return out;
    }
    void AddToList(std::initializer_list<const wchar_t*> names) {
        for (const wchar_t* name : names) Facade().AddItem(Path(name));
    }
    void Send(int code, void* data = nullptr) { m_control.Execute(code, data); }
    void PlayFile(const CString& path) {
        CString copy = path;
        Send(CMD_PLAY_FILE, &copy);
    }
    // The calls of one kind ("OpenFile", "ShowMessage", ...), with their arguments.
    Calls CallsOf(const std::string& kind) const {
        Calls found;
        for (const std::string& call : m_windows.calls)
            if (call.compare(0, kind.size(), kind) == 0) found.push_back(call);
        return found;
    }
    std::string Opened(const wchar_t* name) const { return "OpenFile " + Utf8(Path(name)); }

    CString m_folder;
    FakeWindows m_windows;
    CPlayControl m_control;
};

TEST_F(PlayControlTest, WindowCommandsAndTheCodesItIgnores) {
    const std::pair<int, Calls> cases[] = {
        {CMD_CLOSE_FILE, {"CloseVideo"}},
        {CMD_PLAY_PAUSE, {"OnPlayPause"}},
        {CMD_TOGGLE_MUTE, {"ToggleMute"}},
        {CMD_STOP, {"Stop", "RefreshPlayState"}},
    };
    for (const auto& c : cases) {
        m_windows.calls.clear();
        Send(c.first);
        EXPECT_EQ(c.second, m_windows.calls) << c.first;
    }
    CString path = Path(L"a.xof");
    for (int code : std::initializer_list<int>{-1, 0, CMD_USER_LOGIN, CMD_APP_EXIT, CMD_USER_LOGOUT, 8, 9,
                                               CMD_MAIN_WINDOW_CREATED, CMD_DELETE_DOWNLOADS, CMD_DOWNLOAD_COMPLETE,
                                               CMD_DOWNLOAD_STOPPED, CMD_GET_FILE_TITLE, 27}) {
        m_windows.calls.clear();
        for (void* data : {(void*)nullptr, (void*)&path}) Send(code, data);
        EXPECT_TRUE(m_windows.calls.empty()) << code;
    }
    // Codes that need data do nothing without it.
    m_windows.calls.clear();
    AddToList({L"a.xof"});
    for (int code : {CMD_PLAY_FILE, CMD_OPEN_FROM_OTHER_INSTANCE, CMD_CLEAR_PLAY_LIST, CMD_SET_PLAY_ORDER}) Send(code);
    EXPECT_TRUE(m_windows.calls.empty());
    EXPECT_FALSE(Facade().GetFirstItemPath().IsEmpty());
    EXPECT_EQ(PLAY_ORDER_SEQUENTIAL, CUserConfig::GetInstance().GetOtherConfig().GetPlayOrder());
}

TEST_F(PlayControlTest, PlayingAFileResumesItsSavedPosition) {
    AddToList({L"a.xof"});
    Facade().SetItemPosition(Path(L"a.xof"), 600);
    m_windows.totalTime = L"00:20:00";
    PlayFile(Path(L"a.xof"));
    std::string a = Utf8(Path(L"a.xof"));
    EXPECT_EQ((Calls{"OpenFile " + a, "ShowVideoArea(video)", "SeekToProgress 500",
                     "AddPlayListItem(playing) " + a + " " + a, "RefreshPlayState", "SetProgressTitle " + a}),
              m_windows.calls);
    EXPECT_STREQ(Path(L"a.xof"), Facade().GetCurrentPath());
}

TEST_F(PlayControlTest, NoSeekWithoutAPositionOrAUsableTotal) {
    AddToList({L"a.xof"});
    Facade().SetItemPosition(Path(L"a.xof"), 30);
    for (const wchar_t* total : {L"00:00:00", L"", L"12:00"}) {
        m_windows.calls.clear();
        m_windows.totalTime = total;
        PlayFile(Path(L"a.xof"));
        EXPECT_TRUE(CallsOf("SeekToProgress").empty()) << CStringA(total).GetString();
        EXPECT_EQ(1u, CallsOf("AddPlayListItem").size());
    }
    m_windows.calls.clear();
    m_windows.totalTime = L"00:10:00";
    PlayFile(Path(L"b.xof"));  // not in the list: no saved position
    EXPECT_TRUE(CallsOf("SeekToProgress").empty());
}

TEST_F(PlayControlTest, MissingFilesShowTheMessageAndSkipOnce) {
    CString m1 = m_folder + L"m1.xof", m2 = m_folder + L"m2.xof", m3 = m_folder + L"m3.xof";
    for (const CString& path : {m1, m2, m3}) Facade().AddItem(path);
    PlayFile(m1);
    EXPECT_EQ((Calls{"ShowMessage 下载文件不存在", "ShowMessage 下载文件不存在"}), m_windows.calls);
    EXPECT_STREQ(m2, Facade().GetCurrentPath());
}

TEST_F(PlayControlTest, AFileTheGraphRefusesIsSkipped) {
    AddToList({L"a.xof", L"b.xof"});
    m_windows.openResults[Path(L"a.xof")] = (int)E_FAIL;
    PlayFile(Path(L"a.xof"));
    Calls expected = {Opened(L"a.xof"), "ClearPlayingMark", "RefreshPlayState", Opened(L"b.xof")};
    Calls got = m_windows.calls;
    got.resize(std::min(got.size(), expected.size()));
    EXPECT_EQ(expected, got);
    EXPECT_STREQ(Path(L"b.xof"), Facade().GetCurrentPath());
}

TEST_F(PlayControlTest, APartlyRenderedFilePlays) {
    AddToList({L"a.xof", L"b.xof"});
    m_windows.openResults[Path(L"a.xof")] = 0x00040242;  // success, one stream not rendered
    PlayFile(Path(L"a.xof"));
    EXPECT_EQ(Calls{Opened(L"a.xof")}, CallsOf("OpenFile"));
    EXPECT_TRUE(CallsOf("ClearPlayingMark").empty());
    EXPECT_STREQ(Path(L"a.xof"), Facade().GetCurrentPath());
}

TEST_F(PlayControlTest, AFailedPathOutsideTheListContinuesWithTheFirstItem) {
    AddToList({L"a.xof", L"b.xof"});
    PlayFile(m_folder + L"elsewhere.xof");
    EXPECT_EQ(Calls{Opened(L"a.xof")}, CallsOf("OpenFile"));
}

TEST_F(PlayControlTest, GuardedNextRequestsWithin700MsAreIgnored) {
    AddToList({L"a.xof", L"b.xof", L"c.xof"});
    Facade().SetCurrentPath(Path(L"a.xof"));
    bool applyOrder = true;
    Send(CMD_PLAY_NEXT, &applyOrder);
    Send(CMD_PLAY_NEXT, &applyOrder);
    EXPECT_EQ(Calls{Opened(L"b.xof")}, CallsOf("OpenFile"));
    // The next button (no data) is not held back by the guard.
    Send(CMD_PLAY_NEXT);
    EXPECT_EQ((Calls{Opened(L"b.xof"), Opened(L"c.xof")}), CallsOf("OpenFile"));
    Sleep(750);
    Send(CMD_PLAY_NEXT, &applyOrder);  // the end of the list stops playback
    EXPECT_EQ(2u, CallsOf("OpenFile").size());
    EXPECT_EQ(Calls{"Stop"}, CallsOf("Stop"));
    EXPECT_STREQ(L"", Facade().GetCurrentPath());
}

TEST_F(PlayControlTest, TheEndOfTheListWithoutDataDoesNothing) {
    AddToList({L"a.xof"});
    Facade().SetCurrentPath(Path(L"a.xof"));
    Send(CMD_PLAY_NEXT);
    EXPECT_TRUE(m_windows.calls.empty());
    EXPECT_STREQ(Path(L"a.xof"), Facade().GetCurrentPath());
}

TEST_F(PlayControlTest, PreviousPlaysTheItemBefore) {
    AddToList({L"a.xof", L"b.xof"});
    Facade().SetCurrentPath(Path(L"b.xof"));
    Send(CMD_PLAY_PREV);
    EXPECT_EQ(Calls{Opened(L"a.xof")}, CallsOf("OpenFile"));
    Send(CMD_PLAY_PREV);  // a is first
    EXPECT_EQ(1u, CallsOf("OpenFile").size());
}

TEST_F(PlayControlTest, OpenFilesAddsThemAndPlaysTheFirst) {
    m_windows.chosenFiles = {Path(L"b.xof"), Path(L"a.xof")};
    Facade().SetFullScreen(true);
    Send(CMD_OPEN_FILE);
    EXPECT_TRUE(m_windows.calls.empty());
    Facade().SetFullScreen(false);
    Send(CMD_OPEN_FILE);
    std::string a = Utf8(Path(L"a.xof")), b = Utf8(Path(L"b.xof"));
    EXPECT_EQ((Calls{"AddPlayListItem " + b + " " + b, "AddPlayListItem " + a + " " + a,
                     "AddPlayListItem(playing) " + b + " " + b}),
              CallsOf("AddPlayListItem"));
    EXPECT_EQ(Calls{Opened(L"b.xof")}, CallsOf("OpenFile"));
    std::unique_ptr<CStringArray> paths = Facade().GetPlayListPaths(false);
    ASSERT_TRUE(paths);
    EXPECT_EQ(2, paths->GetSize());

    m_windows.calls.clear();
    m_windows.chosenFiles = {m_folder + L"gone.xof", Path(L"c.xof")};
    Send(CMD_OPEN_FILE);
    EXPECT_TRUE(CallsOf("OpenFile").empty());  // no skip to c
    EXPECT_STREQ(m_folder + L"gone.xof", Facade().GetCurrentPath());
}

TEST_F(PlayControlTest, ClearAndPlayOrder) {
    AddToList({L"a.xof", L"b.xof"});
    bool flag = false;
    Send(CMD_CLEAR_PLAY_LIST, &flag);
    EXPECT_STREQ(L"", Facade().GetFirstItemPath());

    AddToList({L"a.xof", L"b.xof"});
    int random = PLAY_ORDER_RANDOM;
    Send(CMD_SET_PLAY_ORDER, &random);
    EXPECT_EQ(PLAY_ORDER_RANDOM, CUserConfig::GetInstance().GetOtherConfig().GetPlayOrder());
    // The refilled pool gives both paths, each once, before it runs dry.
    CString first = Facade().GetNextPath(true);
    Facade().SetCurrentPath(first);
    CString second = Facade().GetNextPath(true);
    Facade().SetCurrentPath(second);
    EXPECT_FALSE(first.IsEmpty());
    EXPECT_FALSE(second.IsEmpty());
    EXPECT_NE(0, first.Compare(second));
    EXPECT_STREQ(L"", Facade().GetNextPath(true));
    int loop = PLAY_ORDER_LOOP;
    Send(CMD_SET_PLAY_ORDER, &loop);
    EXPECT_EQ(PLAY_ORDER_LOOP, CUserConfig::GetInstance().GetOtherConfig().GetPlayOrder());
}

// A real top-level window standing in for the main dialog, minimised; restored it
// lies off the screen, out of the way of tests that take screenshots.
class MinimisedWindow {
public:
    MinimisedWindow()
        : m_window(CreateWindowExW(0, L"STATIC", L"dialog", WS_OVERLAPPEDWINDOW, -4000, -4000, 200, 100, nullptr,
                                   nullptr, nullptr, nullptr)) {
        ShowWindow(m_window, SW_MINIMIZE);
    }
    ~MinimisedWindow() { DestroyWindow(m_window); }
    MinimisedWindow(const MinimisedWindow&) = delete;
    MinimisedWindow& operator=(const MinimisedWindow&) = delete;
    HWND Get() const { return m_window; }

private:
    HWND m_window;
};

TEST_F(PlayControlTest, AFileFromAnotherInstanceRestoresTheDialogAndIsNotSkipped) {
    MinimisedWindow window;
    ASSERT_TRUE(IsIconic(window.Get()));
    m_windows.dialog.m_hWnd = window.Get();
    AddToList({L"a.xof", L"b.xof"});
    CString missing = m_folder + L"gone.xof";
    Send(CMD_OPEN_FROM_OTHER_INSTANCE, &missing);
    EXPECT_FALSE(IsIconic(window.Get()));
    EXPECT_EQ(Calls{"ShowMessage 下载文件不存在"}, m_windows.calls);

    CString path = Path(L"b.xof");
    Send(CMD_OPEN_FROM_OTHER_INSTANCE, &path);
    EXPECT_EQ(Calls{Opened(L"b.xof")}, CallsOf("OpenFile"));
    m_windows.dialog.m_hWnd = nullptr;
}

TEST(PlayControlWithoutDialogTest, NothingPlaysWithoutTheMainDialog) {
    FakeWindows windows(false);
    CPlayControl control(&windows.mainWnd, nullptr);
    CString path = L"C:\\windows\\win.ini";
    control.Execute(CMD_PLAY_FILE, &path);
    // Nothing is opened; the skip that follows finds the end of the list and stops.
    EXPECT_EQ((std::vector<std::string>{"Stop", "RefreshPlayState"}), windows.calls);
    CPlayControl noWindow(nullptr, nullptr);
    noWindow.Execute(CMD_CLOSE_FILE, nullptr);
    noWindow.Execute(CMD_OPEN_FILE, nullptr);
}

}  // namespace
