// The download page in a real window: rows as the lists build and read them, the
// counters and buttons, the action cells, buttons and menus by real mouse input.
#include <gtest/gtest.h>

#include <functional>

#include "DownloadWndHost.h"
#include "common/CommonHelpers.h"
#include "common/WindowMessages.h"
#include "config/UserConfig.h"
#include "downloadwnd/DownloadRowHtml.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "fakes/FakeWindows.h"
#include "files/ScratchFolder.h"
#include "support/MessageBoxAnswerer.h"
#include "DialogDriver.h"
#include "resource.h"

namespace {

using htmlayout::dom::element;

constexpr LONGLONG kGiB = 1073741824;

std::string Utf8(const CString& text) {
    std::string out;
    WideToUtf8(text, true, out);
    return out;
}

class DownloadPageTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }

    void Add(int fileId, int state, LONGLONG size = 10485760, LONGLONG done = 0, const CString& path = CString()) {
        host.Window().AddTaskRow(TaskItem(fileId, state, size, done, path));
    }
    std::vector<BROADCAST> Seen(int code) const { return CRecordingControl::Get().Of(code); }
    element ActionItem(int fileId) { return element(host.Row(fileId).find_by_id(StateIdOf(State(fileId)))); }
    int State(int fileId) { return host.Window().GetTaskRowState(fileId); }
    CString ListOf(int fileId) { return element(host.Row(fileId).parent()).get_attribute("id"); }

    FakeWindows windows;
    DownloadWndHost host;
};

TEST_F(DownloadPageTest, RowsAreBuiltAndReadBackPerState) {
    struct Case {
        int state;
        const char* list;
        const char* actionCell;
        const wchar_t* status;  // null: a finished row has no status cell
        int readBack;
    };
    const Case cases[] = {
        {0, "downloading_list", "<li class=\"waiting\" id=\"waiting\"", L"", DOWNLOAD_STATE_WAITING},
        {DOWNLOAD_STATE_WAITING, "downloading_list", "<li class=\"waiting\" id=\"waiting\"", L"等待",
         DOWNLOAD_STATE_WAITING},
        {DOWNLOAD_STATE_DOWNLOADING, "downloading_list", "<li class=\"start\" id=\"start\"", L"下载中",
         DOWNLOAD_STATE_DOWNLOADING},
        {DOWNLOAD_STATE_PAUSED, "downloading_list", "<li class=\"pause\" id=\"pause\"", L"暂停", DOWNLOAD_STATE_PAUSED},
        {DOWNLOAD_STATE_FINISHED, "downloaded_list", "<li class=\"play\" id=\"play\"", nullptr,
         DOWNLOAD_STATE_FINISHED},
        {7, "downloading_list", "<li class=\"\" id=\"\"", L"", DOWNLOAD_STATE_PAUSED},
    };
    int fileId = 10;
    for (const Case& c : cases) {
        ++fileId;
        Add(fileId, c.state, 3 * 1048576 + 5, 1048576);
        std::string html = host.RowHtml(fileId);
        SCOPED_TRACE(html);
        EXPECT_EQ(Utf8(ListOf(fileId)), c.list);
        EXPECT_NE(html.find(c.actionCell), std::string::npos);
        EXPECT_NE(html.find("<li id=\"action\" operator=\"delete\">删除</li>"), std::string::npos);
        EXPECT_EQ(host.Text(fileId, L"file_size"), L"3MB");
        EXPECT_EQ(host.Text(fileId, L"file_name"), L"第" + IntToCString(fileId) + L"集.xof");
        if (c.status) {
            EXPECT_EQ(host.Text(fileId, L"error_description"), c.status);
            EXPECT_EQ(host.Text(fileId, L"download_progress"), L" 33%");
            EXPECT_TRUE(host.Cell(fileId, L"speed").is_valid());
        } else {
            EXPECT_FALSE(host.Cell(fileId, L"error_description").is_valid());
            EXPECT_FALSE(host.Cell(fileId, L"download_progress").is_valid());
        }
        EXPECT_EQ(State(fileId), c.readBack);
        DOWNLOAD_LIST_ITEM item = host.Manager().GetTaskItem(fileId);
        EXPECT_EQ(item.Task.FilePath, TaskItem(fileId, 0).Task.FilePath);
        EXPECT_EQ(item.Task.DownloadUrl, TaskItem(fileId, 0).Task.DownloadUrl);
        EXPECT_EQ(item.Task.FileSize, c.status ? 3 * 1048576 + 5 : 0);
    }
    // The newest row comes first, under the header.
    element list = host.Find(L"downloading_list");
    EXPECT_EQ(RowFileId(element(list.child_at(1))), 16);
    EXPECT_EQ(State(99), DOWNLOAD_STATE_PAUSED);  // no row
}

TEST_F(DownloadPageTest, StateChangesRewriteTheActionCellAndStatus) {
    Add(1, DOWNLOAD_STATE_WAITING);
    host.Window().ChangeTaskRowState(1, DOWNLOAD_STATE_PAUSED, DOWNLOAD_STATE_WAITING);  // not paused: nothing
    EXPECT_EQ(State(1), DOWNLOAD_STATE_WAITING);
    struct Step {
        int from, to;
        const wchar_t* status;
    };
    for (Step s : {Step{DOWNLOAD_STATE_WAITING, DOWNLOAD_STATE_DOWNLOADING, L"开始"},
                   Step{DOWNLOAD_STATE_DOWNLOADING, DOWNLOAD_STATE_PAUSED, L"暂停"},
                   Step{DOWNLOAD_STATE_PAUSED, DOWNLOAD_STATE_WAITING, L"等待"}}) {
        host.Window().ChangeTaskRowState(1, s.from, s.to);
        EXPECT_EQ(State(1), s.to);
        EXPECT_EQ(host.Text(1, L"error_description"), s.status);
        EXPECT_NE(host.RowHtml(1).find(std::string("class=\"") + Utf8(StateIdOf(s.to)) + "\""), std::string::npos);
    }
}

TEST_F(DownloadPageTest, SizesOfThreeGibibytesAreShownAndReadBackExactly) {
    const LONGLONG size = 3 * kGiB + 12345;
    Add(1, DOWNLOAD_STATE_DOWNLOADING, size, kGiB);
    EXPECT_EQ(host.Text(1, L"file_size"), L"3072MB");
    EXPECT_EQ(host.Text(1, L"download_progress"), L" 33%");
    host.Manager().SetTaskProgress(1, 2 * kGiB + 7);
    EXPECT_EQ(host.Text(1, L"download_progress"), L"  67%");
    DOWNLOAD_LIST_ITEM item = host.Manager().GetTaskItem(1);
    EXPECT_EQ(item.Task.FileSize, size);
    EXPECT_EQ(item.Task.DownSize, 2 * kGiB + 7);

    // The start message can carry no more than 0x7FFFFFFF: the row keeps its own figure,
    // and the progress key brings both sizes in full.
    Add(2, DOWNLOAD_STATE_WAITING, size);
    host.Window().SendMessage(WM_DOWNLOAD_STARTED, 2, 0x7FFFFFFF);
    EXPECT_EQ(host.Manager().GetTaskItem(2).Task.FileSize, size);
    ASSERT_EQ(Seen(CMD_DOWNLOAD_STARTED).size(), 1u);
    EXPECT_EQ(Seen(CMD_DOWNLOAD_STARTED)[0].FileSize, size);  // what the record keeps
    auto* key = new DOWNLOAD_JOB_KEY(2, CUserConfig::GetInstance().GetCurrentUser(), L"x", 1000);
    key->FileSize = size + 1;
    key->DownSize = 3 * kGiB;
    host.Window().SendMessage(WM_DOWNLOAD_PROGRESS, (WPARAM)key, 0x7FFFFFFF);
    item = host.Manager().GetTaskItem(2);
    EXPECT_EQ(item.Task.FileSize, size + 1);
    EXPECT_EQ(item.Task.DownSize, 3 * kGiB);
    EXPECT_EQ(host.Text(2, L"download_progress"), L"  100%");
    EXPECT_EQ(host.Text(2, L"file_size"), L"3072MB");
}

TEST_F(DownloadPageTest, ProgressOfAnUnknownSizeIsZeroPercentAndBeyondTheTotalAboveHundred) {
    Add(1, DOWNLOAD_STATE_DOWNLOADING, 0, 0);
    EXPECT_EQ(host.Text(1, L"download_progress"), L" 0%");
    host.Manager().SetTaskProgress(1, 123456);
    EXPECT_EQ(host.Text(1, L"download_progress"), L"  0%");
    Add(2, DOWNLOAD_STATE_DOWNLOADING, 1000, 0);
    host.Manager().SetTaskProgress(2, 1500);
    EXPECT_EQ(host.Text(2, L"download_progress"), L"  150%");
    Add(3, DOWNLOAD_STATE_DOWNLOADING, 1000, 1500);  // a new row stops at 100
    EXPECT_EQ(host.Text(3, L"download_progress"), L" 100%");
}

TEST_F(DownloadPageTest, FileNamesWithMarkupCharactersShowLiterally) {
    for (const wchar_t* name : {L"a&<b>.xof", L"x\" id=\"7.xof", L"<td>&amp;.xof"}) {
        static int fileId = 0;
        ++fileId;
        Add(fileId, DOWNLOAD_STATE_PAUSED, 1048576, 0, CString(L"C:\\d\\") + name);
        EXPECT_EQ(host.Text(fileId, L"file_name"), name);
        EXPECT_EQ(host.Manager().GetTaskItem(fileId).Task.FilePath, CString(L"C:\\d\\") + name);
        EXPECT_EQ(State(fileId), DOWNLOAD_STATE_PAUSED);
    }
}

TEST_F(DownloadPageTest, CountersAndListButtonsFollowTheRows) {
    struct Case {
        std::vector<int> states;
        const wchar_t* downloading;
        const wchar_t* downloaded;
        bool unfinishedButtons, finishedButtons;
    };
    const Case cases[] = {
        {{}, L"正在下载(0)", L"已下载(0)", false, false},
        {{DOWNLOAD_STATE_PAUSED, DOWNLOAD_STATE_PAUSED, DOWNLOAD_STATE_PAUSED}, L"正在下载(0)", L"已下载(0)", true,
         false},
        {{DOWNLOAD_STATE_WAITING, DOWNLOAD_STATE_DOWNLOADING, DOWNLOAD_STATE_PAUSED, DOWNLOAD_STATE_FINISHED},
         L"正在下载(2)", L"已下载(1)", true, true},
        {{DOWNLOAD_STATE_FINISHED, DOWNLOAD_STATE_FINISHED}, L"正在下载(0)", L"已下载(2)", false, true},
    };
    for (const Case& c : cases) {
        host.Window().ClearTaskLists();
        int fileId = 0;
        for (int state : c.states) Add(++fileId, state);
        SCOPED_TRACE(Utf8(c.downloading) + " " + Utf8(c.downloaded));
        EXPECT_EQ(CString(host.Find(L"downloading_panel").inner_text().c_str()), c.downloading);
        EXPECT_EQ(CString(host.Find(L"downloaded_panel").inner_text().c_str()), c.downloaded);
        for (LPCWSTR id : {L"all_start", L"all_pause", L"downloading_all_delete"})
            EXPECT_EQ(host.IsDisabled(id), !c.unfinishedButtons) << Utf8(id);
        for (LPCWSTR id : {L"all_add", L"downloaded_all_delete"})
            EXPECT_EQ(host.IsDisabled(id), !c.finishedButtons) << Utf8(id);
    }
    // Clearing leaves the header rows.
    EXPECT_EQ(host.Find(L"downloading_list").child_count(), 1u);
    EXPECT_EQ(CString(element(host.Find(L"downloaded_list").child_at(0)).inner_text().c_str()), L"文件名大小操作");
}

// The counters are kept by the row operations: each change of a row moves them.
TEST_F(DownloadPageTest, CountersFollowStateChangesMovesAndDeletes) {
    CDownloadWnd& window = host.Window();
    struct Step {
        const char* what;
        std::function<void()> change;
        const wchar_t* downloading;
        const wchar_t* downloaded;
        bool unfinishedButtons, finishedButtons;
    };
    const Step steps[] = {
        {"three rows",
         [&] {
             Add(1, DOWNLOAD_STATE_WAITING);
             Add(2, DOWNLOAD_STATE_DOWNLOADING);
             Add(3, DOWNLOAD_STATE_PAUSED);
         },
         L"正在下载(2)", L"已下载(0)", true, false},
        {"waiting to downloading",
         [&] { window.ChangeTaskRowState(1, DOWNLOAD_STATE_WAITING, DOWNLOAD_STATE_DOWNLOADING); }, L"正在下载(2)",
         L"已下载(0)", true, false},
        {"downloading to paused",
         [&] { window.ChangeTaskRowState(2, DOWNLOAD_STATE_DOWNLOADING, DOWNLOAD_STATE_PAUSED); }, L"正在下载(1)",
         L"已下载(0)", true, false},
        {"a change from a state the row is not in",
         [&] { window.ChangeTaskRowState(3, DOWNLOAD_STATE_WAITING, DOWNLOAD_STATE_DOWNLOADING); }, L"正在下载(1)",
         L"已下载(0)", true, false},
        {"finished", [&] { window.MoveTaskRow(TaskItem(1, DOWNLOAD_STATE_DOWNLOADING), DOWNLOADED_LIST); },
         L"正在下载(0)", L"已下载(1)", true, true},
        {"paused back to waiting", [&] { window.MoveTaskRow(TaskItem(3, DOWNLOAD_STATE_PAUSED), DOWNLOADING_LIST); },
         L"正在下载(1)", L"已下载(1)", true, true},
        {"a busy row deleted", [&] { host.Manager().DeleteTaskRow(3); }, L"正在下载(0)", L"已下载(1)", true, true},
        {"the last unfinished row deleted", [&] { host.Manager().DeleteTaskRow(2); }, L"正在下载(0)", L"已下载(1)",
         false, true},
        {"a missing row deleted", [&] { host.Manager().DeleteTaskRow(9); }, L"正在下载(0)", L"已下载(1)", false, true},
        {"the finished row deleted", [&] { host.Manager().DeleteTaskRow(1); }, L"正在下载(0)", L"已下载(0)", false,
         false},
        {"rows after clearing",
         [&] {
             window.ClearTaskLists();
             Add(4, DOWNLOAD_STATE_FINISHED);
             Add(5, 0);
         },
         L"正在下载(1)", L"已下载(1)", true, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.change();
        host.Manager().UpdateCounters();
        EXPECT_EQ(CString(host.Find(L"downloading_panel").inner_text().c_str()), s.downloading);
        EXPECT_EQ(CString(host.Find(L"downloaded_panel").inner_text().c_str()), s.downloaded);
        EXPECT_EQ(host.IsDisabled(L"all_start"), !s.unfinishedButtons);
        EXPECT_EQ(host.IsDisabled(L"all_add"), !s.finishedButtons);
    }
}

TEST_F(DownloadPageTest, ActionCellsPauseStartPlayAndDeleteByClicks) {
    Add(1, DOWNLOAD_STATE_DOWNLOADING);
    Add(2, DOWNLOAD_STATE_WAITING);
    Add(3, DOWNLOAD_STATE_PAUSED);
    Add(4, DOWNLOAD_STATE_FINISHED);

    host.Click(ActionItem(1));
    host.Click(ActionItem(2));
    EXPECT_EQ(State(1), DOWNLOAD_STATE_PAUSED);
    EXPECT_EQ(State(2), DOWNLOAD_STATE_PAUSED);
    EXPECT_EQ(host.Text(1, L"error_description"), L"暂停");
    ASSERT_EQ(Seen(CMD_PAUSE_DOWNLOAD).size(), 2u);
    EXPECT_EQ(Seen(CMD_PAUSE_DOWNLOAD)[0].FileID, 1);
    EXPECT_EQ(Seen(CMD_PAUSE_DOWNLOAD)[0].State, DOWNLOAD_STATE_DOWNLOADING);

    host.Click(ActionItem(3));
    EXPECT_EQ(State(3), DOWNLOAD_STATE_WAITING);
    EXPECT_EQ(host.Text(3, L"error_description"), L"等待");
    ASSERT_EQ(Seen(CMD_START_DOWNLOAD).size(), 1u);
    EXPECT_EQ(Seen(CMD_START_DOWNLOAD)[0].FileID, 3);

    host.Click(host.Cell(3, L"action"));
    EXPECT_FALSE(host.Row(3).is_valid());
    ASSERT_EQ(Seen(CMD_DELETE_DOWNLOADS).size(), 1u);
    EXPECT_EQ(Seen(CMD_DELETE_DOWNLOADS)[0].Text, L"3 ");
    EXPECT_EQ(CString(host.Find(L"downloading_panel").inner_text().c_str()), L"正在下载(0)");

    host.Click(host.Find(L"downloaded_panel"));
    host.Click(ActionItem(4));
    ASSERT_EQ(Seen(CMD_PLAY_FILE).size(), 1u);
    EXPECT_EQ(Seen(CMD_PLAY_FILE)[0].Text, TaskItem(4, 0).Task.FilePath);
}

TEST_F(DownloadPageTest, DoubleClickPlaysOnlyFinishedRows) {
    Add(1, DOWNLOAD_STATE_PAUSED);
    Add(2, DOWNLOAD_STATE_FINISHED);
    host.DoubleClick(host.Cell(1, L"file_name"));
    EXPECT_TRUE(Seen(CMD_PLAY_FILE).empty());
    host.Click(host.Find(L"downloaded_panel"));
    host.DoubleClick(host.Cell(2, L"file_name"));
    ASSERT_EQ(Seen(CMD_PLAY_FILE).size(), 1u);
    EXPECT_EQ(Seen(CMD_PLAY_FILE)[0].Text, TaskItem(2, 0).Task.FilePath);
}

TEST_F(DownloadPageTest, AllStartAndAllPauseTouchOnlyRowsThatChange) {
    Add(1, DOWNLOAD_STATE_WAITING);
    Add(2, DOWNLOAD_STATE_DOWNLOADING);
    Add(3, DOWNLOAD_STATE_PAUSED);
    host.Click(host.Find(L"all_start"));
    ASSERT_EQ(Seen(CMD_START_DOWNLOAD).size(), 1u);
    EXPECT_EQ(Seen(CMD_START_DOWNLOAD)[0].FileID, 3);
    host.Click(host.Find(L"all_pause"));
    ASSERT_EQ(Seen(CMD_PAUSE_DOWNLOAD).size(), 3u);
    for (int fileId : {1, 2, 3}) EXPECT_EQ(State(fileId), DOWNLOAD_STATE_PAUSED);
    host.Click(host.Find(L"all_pause"));
    EXPECT_EQ(Seen(CMD_PAUSE_DOWNLOAD).size(), 3u);
}

TEST_F(DownloadPageTest, DeletingUnfinishedRowsAsksAndStopsTheBusyOnes) {
    Add(1, DOWNLOAD_STATE_WAITING);
    Add(2, DOWNLOAD_STATE_DOWNLOADING);
    Add(3, DOWNLOAD_STATE_PAUSED);
    DownloadWndHost::Answers().choices = {{false, false}};
    host.Click(host.Find(L"downloading_all_delete"));
    EXPECT_TRUE(host.Row(1).is_valid());
    EXPECT_TRUE(Seen(CMD_DELETE_DOWNLOADS).empty());

    host.Click(host.Find(L"downloading_all_delete"));
    for (int fileId : {1, 2, 3}) EXPECT_FALSE(host.Row(fileId).is_valid());
    EXPECT_EQ(DownloadWndHost::Answers().confirmations, (std::vector<bool>{false, false}));
    std::vector<BROADCAST> paused = Seen(CMD_PAUSE_DOWNLOAD);
    ASSERT_EQ(paused.size(), 2u);
    EXPECT_EQ(paused[0].FileID + paused[1].FileID, 3);
    ASSERT_EQ(Seen(CMD_DELETE_DOWNLOADS).size(), 1u);
    EXPECT_EQ(Seen(CMD_DELETE_DOWNLOADS)[0].Text, L"3 2 1 ");
    EXPECT_TRUE(host.IsDisabled(L"all_start"));
}

TEST_F(DownloadPageTest, DeletingFinishedRowsKeepsThePlayingFileAndDeletesTheOthersFiles) {
    ScratchFolder folder;
    CString kept = folder.Write(L"kept.xof", "k").c_str();
    CString playing = folder.Write(L"playing.xof", "p").c_str();
    CString gone = folder.Write(L"gone.xof", "g").c_str();
    Add(1, DOWNLOAD_STATE_FINISHED, 1, 1, kept);
    Add(2, DOWNLOAD_STATE_FINISHED, 1, 1, playing);
    Add(3, DOWNLOAD_STATE_FINISHED, 1, 1, gone);
    CAppFacade& facade = CAppFacade::GetInstance();
    CString before = facade.GetCurrentPath();
    facade.SetCurrentPath(playing);

    // Cancel changes nothing; OK without the file choice keeps the file.
    DownloadWndHost::Answers().choices = {{false, true}, {true, false}};
    host.Manager().DeleteTasks({1});
    EXPECT_TRUE(host.Row(1).is_valid());
    host.Manager().DeleteTasks({1});
    EXPECT_FALSE(host.Row(1).is_valid());
    EXPECT_TRUE(folder.Exists(L"kept.xof"));

    {
        MessageBoxAnswerer boxes;
        host.Click(host.Find(L"downloaded_panel"));
        host.Click(host.Find(L"downloaded_all_delete"));
        std::vector<SHOWN_MESSAGE_BOX> shown = boxes.Shown();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].Text, L"文件 " + std::wstring(playing) + L" 正在播放，无法删除！");
    }
    facade.SetCurrentPath(before);
    EXPECT_TRUE(host.Row(2).is_valid());
    EXPECT_FALSE(host.Row(3).is_valid());
    EXPECT_TRUE(folder.Exists(L"playing.xof"));
    EXPECT_FALSE(folder.Exists(L"gone.xof"));
    EXPECT_EQ(DownloadWndHost::Answers().confirmations, (std::vector<bool>{true, true, true}));
    std::vector<BROADCAST> deleted = Seen(CMD_DELETE_DOWNLOADS);
    ASSERT_EQ(deleted.size(), 2u);
    EXPECT_EQ(deleted[0].Text, L"1 ");
    EXPECT_EQ(deleted[1].Text, L"3 ");
    std::vector<std::string> removed;
    for (const std::string& call : windows.calls)
        if (call.rfind("RemovePlayListItem", 0) == 0) removed.push_back(call);
    EXPECT_EQ(removed, std::vector<std::string>{"RemovePlayListItem " + Utf8(gone)});
}

TEST_F(DownloadPageTest, SpeedsCountTheBytesAfterTheFirstReport) {
    Add(1, DOWNLOAD_STATE_DOWNLOADING);
    Add(2, DOWNLOAD_STATE_PAUSED);
    DWORD start = GetTickCount();
    host.Manager().AddTransferredBytes(1, 50 * 1048576);  // the first report only starts the count
    host.Manager().UpdateSpeeds();                       // no time has passed: nothing yet
    EXPECT_EQ(host.Text(1, L"speed"), L"");
    Sleep(300);
    host.Manager().AddTransferredBytes(1, 102400);
    host.Manager().AddTransferredBytes(2, 102400);  // not downloading: no speed
    DWORD before = GetTickCount();
    host.Manager().UpdateSpeeds();
    DWORD after = GetTickCount();
    double rate = _wtof(host.Text(1, L"speed"));
    EXPECT_NE(host.Text(1, L"speed").Find(L" KB/S"), -1);
    EXPECT_GE(rate, 100.0 / ((after - start + 16) / 1000.0) - 0.01);
    EXPECT_LE(rate, 100.0 / ((before - start - 16) / 1000.0) + 0.01);
    EXPECT_EQ(host.Text(2, L"speed"), L"");
    // A row that stops downloading leaves the count and its cell empties.
    host.Window().ChangeTaskRowState(1, DOWNLOAD_STATE_DOWNLOADING, DOWNLOAD_STATE_PAUSED);
    host.Manager().AddTransferredBytes(1, 1000);
    EXPECT_EQ(host.Text(1, L"speed"), L"");
}

TEST_F(DownloadPageTest, TheContextMenuOpensOnFinishedRowsAndOpensTheFolder) {
    Add(1, DOWNLOAD_STATE_PAUSED, 1, 0, L"C:\\Downloads\\unfinished.xof");
    Add(2, DOWNLOAD_STATE_FINISHED, 1, 1, L"C:\\Downloads\\第2集 finished.xof");
    bool popupOnUnfinished = true;
    host.RightClick(host.Cell(1, L"file_name"), [&](HWND popup) {
        popupOnUnfinished = popup != nullptr;
        if (popup) PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_FALSE(popupOnUnfinished);

    host.Click(host.Find(L"downloaded_panel"));
    bool popupOnFinished = false;
    host.RightClick(host.Cell(2, L"file_name"), [&](HWND popup) {
        popupOnFinished = popup != nullptr;
        for (UINT key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
            PostMessageW(popup, WM_KEYDOWN, key, 0);
            PostMessageW(popup, WM_KEYUP, key, 0xC0000001);
        }
    });
    host.Pump();
    EXPECT_TRUE(popupOnFinished);
    EXPECT_TRUE(host.Manager().GetCurrentElement().is_valid());
    std::vector<SHELL_CALL> calls = DownloadWndHost::Answers().shellCalls;
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Verb, L"open");
    EXPECT_EQ(calls[0].File, L"explorer");
    EXPECT_EQ(calls[0].Parameters, L"/select,\"C:\\Downloads\\第2集 finished.xof\"");
    EXPECT_EQ(calls[0].Show, SW_SHOWDEFAULT);
}

TEST_F(DownloadPageTest, AddingAllFinishedFilesGoesInNaturalOrderOfTheirTitles) {
    Add(1, DOWNLOAD_STATE_FINISHED, 1, 1, L"C:\\d\\Part10.xof");
    Add(2, DOWNLOAD_STATE_FINISHED, 1, 1, L"C:\\d\\part2.xof");
    Add(3, DOWNLOAD_STATE_FINISHED, 1, 1, L"C:\\d\\Part1.xof");
    Add(4, DOWNLOAD_STATE_PAUSED, 1, 0, L"C:\\d\\Part0.xof");
    windows.calls.clear();
    host.Click(host.Find(L"downloaded_panel"));
    host.Click(host.Find(L"all_add"));
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"AddPlayListItem C:\\d\\Part1.xof Part1",
                                                       "AddPlayListItem C:\\d\\part2.xof part2",
                                                       "AddPlayListItem C:\\d\\Part10.xof Part10", "RefreshPlayState"}));
    for (LPCWSTR path : {L"C:\\d\\Part1.xof", L"C:\\d\\part2.xof", L"C:\\d\\Part10.xof"})
        CAppFacade::GetInstance().RemoveItem(path);
}

TEST_F(DownloadPageTest, TheShutdownChoiceWaitsForWaitingAndDownloadingRows) {
    EXPECT_FALSE(host.Window().IsShutdownWhenComplete());
    host.Click(host.Find(L"shutdown_when_complete"));
    EXPECT_TRUE(htmlayout::dom::has_state(host.Find(L"shutdown_when_complete"), STATE_CHECKED));
    EXPECT_TRUE(host.Window().IsShutdownWhenComplete());
    Add(1, DOWNLOAD_STATE_PAUSED);
    Add(2, DOWNLOAD_STATE_FINISHED);
    EXPECT_TRUE(host.Window().IsShutdownWhenComplete());
    Add(3, DOWNLOAD_STATE_WAITING);
    EXPECT_FALSE(host.Window().IsShutdownWhenComplete());
    host.Window().ChangeTaskRowState(3, DOWNLOAD_STATE_WAITING, DOWNLOAD_STATE_DOWNLOADING);
    EXPECT_FALSE(host.Window().IsShutdownWhenComplete());
    host.Window().ChangeTaskRowState(3, DOWNLOAD_STATE_DOWNLOADING, DOWNLOAD_STATE_PAUSED);
    EXPECT_TRUE(host.Window().IsShutdownWhenComplete());
    host.Window().ClearShutdownChoice();
    EXPECT_FALSE(host.Window().IsShutdownWhenComplete());
}

TEST_F(DownloadPageTest, ThePageWithRowsInEveryState) {
    Add(1, DOWNLOAD_STATE_PAUSED, 734003200, 367001600, L"C:\\Downloads\\喜羊羊_第1集.xof");
    host.Window().ChangeTaskRowState(1, DOWNLOAD_STATE_PAUSED, DOWNLOAD_STATE_PAUSED);
    host.Manager().SetStatusText(1, L"连接请求异常(12029)");
    Add(2, DOWNLOAD_STATE_PAUSED, 3 * kGiB, kGiB, L"C:\\Downloads\\喜羊羊_第2集 <高清> & 字幕.xof");
    Add(3, DOWNLOAD_STATE_WAITING, 0, 0, L"C:\\Downloads\\喜羊羊_第3集.xof");
    Add(4, DOWNLOAD_STATE_DOWNLOADING, 209715200, 157286400, L"C:\\Downloads\\喜羊羊_第4集.xof");
    host.Manager().SetSpeedText(4, L"512.25 KB/S");
    host.Click(host.Find(L"shutdown_when_complete"));
    ASSERT_TRUE(host.SaveShot(L"download-page-downloading.png"));
    Add(5, DOWNLOAD_STATE_FINISHED, 104857600, 104857600, L"C:\\Downloads\\喜羊羊_第5集.xof");
    Add(6, DOWNLOAD_STATE_FINISHED, 52428800, 52428800, L"C:\\Downloads\\喜羊羊_第6集.xof");
    host.Click(host.Find(L"downloaded_panel"));
    ASSERT_TRUE(host.SaveShot(L"download-page-downloaded.png"));
    EXPECT_EQ(CString(host.Find(L"downloading_panel").inner_text().c_str()), L"正在下载(2)");
}

}  // namespace

namespace {

// Without its page the window is not created at all.
TEST(DownloadWndCreation, FailsWithoutThePage) {
    DownloadWndHost host;
    CString page = GetProgramFolder() + L"download.html";
    CString away = GetProgramFolder() + L"download.html.away";
    ASSERT_TRUE(MoveFileExW(page, away, MOVEFILE_REPLACE_EXISTING));
    bool opened = host.Open();
    HWND window = host.Handle();
    ASSERT_TRUE(MoveFileExW(away, page, MOVEFILE_REPLACE_EXISTING));
    EXPECT_FALSE(opened);
    EXPECT_EQ(window, nullptr);
}

}  // namespace

namespace {

struct CONFIRM_STEP {
    HWND owner;
    bool clearBox;
    int button;
    bool answered;
};
CONFIRM_STEP g_confirm;

// Inside the dialog's modal loop: answers it once it shows.
void CALLBACK AnswerConfirmation(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = CDialogDriver::FindOwnedDialog(g_confirm.owner);
    if (!dialog) return;
    KillTimer(nullptr, id);
    if (g_confirm.clearBox) SendMessageW(GetDlgItem(dialog, IDC_CHECK_DELETE_FILE), BM_CLICK, 0, 0);
    CDialogDriver::Answer(dialog, g_confirm.button);
    g_confirm.answered = true;
}

// The skinned confirmation dialog decides what deleting a finished row does.
TEST(DownloadWndConfirmation, TheDeleteDialogDecidesForFinishedRows) {
    FakeWindows windows;
    DownloadWndHost host;
    ASSERT_TRUE(host.Open());
    DownloadWndHost::UseOwnConfirmDelete();
    struct Case {
        int button;
        bool clearBox;
        bool rowKept, fileKept;
    };
    const Case cases[] = {{IDCANCEL, false, true, true}, {IDOK, true, false, true}, {IDOK, false, false, false}};
    ScratchFolder folder;
    int fileId = 0;
    host.Click(host.Find(L"downloaded_panel"));
    for (const Case& c : cases) {
        ++fileId;
        CString path = folder.Write(L"v" + std::to_wstring(fileId) + L".xof", "v").c_str();
        host.Window().AddTaskRow(TaskItem(fileId, DOWNLOAD_STATE_FINISHED, 1, 1, path));
        g_confirm = {host.FrameHandle(), c.clearBox, c.button, false};
        SetTimer(nullptr, 0, 100, &AnswerConfirmation);
        host.Click(host.Cell(fileId, L"action"));
        EXPECT_TRUE(g_confirm.answered);
        EXPECT_EQ(host.Row(fileId).is_valid(), c.rowKept) << fileId;
        EXPECT_EQ(folder.Exists(L"v" + std::to_wstring(fileId) + L".xof"), c.fileKept) << fileId;
    }
}

}  // namespace
