// The download window with the real download control, scheduler, workers and HTTP jobs
// against the loopback server, over a fresh database; the recording control sees every
// command the window sends.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "DownloadTestFiles.h"
#include "DownloadWndHost.h"
#include "ScopedHandle.h"
#include "common/WindowMessages.h"
#include "download/DownloadControl.h"
#include "download/DownloadMessages.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "fakes/FakeWindows.h"
#include "fixtures/ProgramFolder.h"
#include "fixtures/UserConfigScope.h"
#include "http/HttpReplies.h"
#include "support/PlayerCoreStart.h"

namespace {

using namespace std::chrono_literals;

enum class End { Complete, Paused, ConnectFailed, CreateFailed, FailedUnknown, RenameFailed };
enum class Road { CurrentUser, OtherUser, NoRow, NoManager };

bool Exists(const CString& path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

const char* Name(End end) {
    const char* names[] = {"complete", "paused", "connect failed", "failed to create", "failed unknown",
                           "rename failed"};
    return names[(int)end];
}
const char* Name(Road road) {
    const char* names[] = {"current user", "other user", "no row", "no manager"};
    return names[(int)road];
}

class DownloadWndEngineTest : public testing::Test {
protected:
    DownloadWndEngineTest() {
        settings.SignIn(L"alice");
        settings.Download().RelinkTimes = 1;
        settings.Download().DownloadNum = 1;
        settings.Download().AutoAdd2PlayList = false;
        server.SetHandler([this](const HttpRequest& request, HttpReply& reply) {
            int fileId = atoi(request.Path().c_str() + 2);  // "/v<id>"
            if (missingFiles & (1u << fileId)) {
                reply.status = 404;
                return;
            }
            reply = RangeReply(request, PatternSource(SizeOf(fileId)));
            if (slowFiles & (1u << fileId)) {  // about 80 KB/s
                reply.pieceSize = 4096;
                reply.pieceDelay = 50ms;
            }
        });
    }
    void TearDown() override { Close(); }

    // The window (with or without its manager) and the download control on it.
    void Open(bool withManager = true) {
        ASSERT_TRUE(data.upgraded);
        host = std::make_unique<DownloadWndHost>(withManager);
        ASSERT_TRUE(host->Open());
        control = std::make_unique<CDownloadControl>(&host->Window(), core.get());
        CRecordingControl::Get().forward = control.get();
    }
    void Close() {
        CRecordingControl::Get().forward = nullptr;
        control.reset();
        host.reset();
    }

    static uint64_t SizeOf(int fileId) { return 150000 + 1000 * (uint64_t)fileId; }
    CString PathOf(int fileId) const {
        CString name;
        name.Format(L"v%d.xof", fileId);
        return data.folder.File(name);
    }
    DOWNLOAD_LIST_ITEM Item(int fileId) const {
        DOWNLOAD_TASK_INFO task;
        task.FileID = fileId;
        task.FileSize = 1048576;
        task.FilePath = PathOf(fileId);
        task.DownloadUrl = Wide(server.Url("/v" + std::to_string(fileId)));
        task.Sequence = fileId;
        task.AlbumName = L"Album";
        task.SectionName.Format(L"Part%d", fileId);
        return DOWNLOAD_LIST_ITEM(0, task);
    }
    void Add(std::vector<DOWNLOAD_LIST_ITEM> items) {
        CAppFacade::GetInstance().Broadcast(CMD_ADD_DOWNLOADS, new std::vector<DOWNLOAD_LIST_ITEM>(std::move(items)));
    }
    bool IsWhole(int fileId) const {
        return Sha1OfFile(PathOf(fileId)) == Sha1OfSource(PatternSource(SizeOf(fileId)), SizeOf(fileId));
    }
    CRecordingControl& Recorded() { return CRecordingControl::Get(); }
    int Ends() { return Recorded().EndCount(); }
    int RequestsFor(int fileId) const {
        int count = 0;
        for (const HttpRequest& request : server.Requests())
            count += request.Path() == "/v" + std::to_string(fileId) ? 1 : 0;
        return count;
    }
    int RowState(int fileId) { return host->Window().GetTaskRowState(fileId); }
    bool Pump(const std::function<bool()>& done, DWORD timeoutMs = 20000) { return host->PumpUntil(done, timeoutMs); }

    // Starts the job of task fileId so that it ends as the case says, with the window
    // reaching it by the road.
    void StartEnding(int fileId, End end, Road road) {
        DOWNLOAD_LIST_ITEM item = Item(fileId);
        if (end == End::Paused) slowFiles |= 1u << fileId;
        if (end == End::ConnectFailed) missingFiles |= 1u << fileId;
        if (end == End::CreateFailed) item.Task.FilePath = data.folder.File(L"no such folder\\v.xof");
        if (end == End::FailedUnknown) {
            // The work queue's road for a job that throws.
            host->Window().AddTaskRow(DOWNLOAD_LIST_ITEM(DOWNLOAD_STATE_DOWNLOADING, item.Task));
            PostJobMessage(host->Handle(), WM_DOWNLOAD_FAILED,
                           std::make_unique<DOWNLOAD_JOB_KEY>(fileId, L"alice", item.Task.FilePath),
                           std::make_unique<DOWNLOAD_ERROR_INFO>(DOWNLOAD_ERR_UNKNOWN, 0));
        } else {
            Add({item});
        }
        if (end == End::Paused) {
            DOWNLOAD_LIST_ITEM pause = item;
            control->Execute(CMD_PAUSE_DOWNLOAD, &pause);
        }
        if (road == Road::OtherUser) settings.SignIn(L"bob");
        if (road == Road::NoRow) host->Manager().DeleteTaskRow(fileId);
    }

    UserConfigScope settings;
    UpgradedDatabase data;
    FakeWindows windows;
    std::unique_ptr<CPlayerCore> core = StartPlayerCore(data.folder.Path());
    std::atomic<unsigned> slowFiles{0};
    std::atomic<unsigned> missingFiles{0};
    LoopbackHttpServer server;
    std::unique_ptr<DownloadWndHost> host;
    std::unique_ptr<CDownloadControl> control;
};

TEST_F(DownloadWndEngineTest, EveryJobEndGivesTheDownloadControlExactlyOneEnd) {
    for (End end : {End::Complete, End::Paused, End::ConnectFailed, End::CreateFailed, End::FailedUnknown})
        for (Road road : {Road::CurrentUser, Road::OtherUser, Road::NoRow, Road::NoManager}) {
            if (end == End::FailedUnknown && road == Road::NoManager) continue;  // no row to post for
            SCOPED_TRACE(std::string(Name(end)) + ", " + Name(road));
            settings.SignIn(L"alice");
            Open(road != Road::NoManager);
            int fileId = 1 + (int)end * 4 + (int)road;
            StartEnding(fileId, end, road);
            EXPECT_TRUE(Pump([&] { return Ends() > 0; }));
            host->Pump(300);
            EXPECT_EQ(Ends(), 1);
            int expected = road == Road::OtherUser || road == Road::NoManager ? CMD_DOWNLOAD_STOPPED
                           : end == End::Complete                             ? (road == Road::NoRow ? CMD_DOWNLOAD_STOPPED
                                                                                                      : CMD_DOWNLOAD_COMPLETE)
                                                                              : CMD_DOWNLOAD_FAILED;
            ASSERT_EQ(Recorded().Of(expected).size(), 1u);
            BROADCAST sent = Recorded().Of(expected)[0];
            if (expected == CMD_DOWNLOAD_STOPPED) {
                EXPECT_EQ(sent.FileID, fileId);
                EXPECT_EQ(sent.Text, L"alice");
            } else {
                EXPECT_EQ(sent.Null, road == Road::NoRow);
            }
            if (road == Road::CurrentUser)
                EXPECT_EQ(RowState(fileId), end == End::Complete ? DOWNLOAD_STATE_FINISHED : DOWNLOAD_STATE_PAUSED);
            if (road == Road::NoRow) EXPECT_FALSE(host->Window().HasTaskRow(fileId));  // no ghost row
            if (end == End::Complete && road != Road::CurrentUser) {
                // Not renamed: the ".temp" is there for the task's next start.
                EXPECT_TRUE(Exists(PathOf(fileId) + L".temp"));
                EXPECT_FALSE(Exists(PathOf(fileId)));
            }
            Close();
        }
}

TEST_F(DownloadWndEngineTest, FailureTextsAreTheRowsStatus) {
    Open();
    StartEnding(1, End::ConnectFailed, Road::CurrentUser);
    StartEnding(2, End::CreateFailed, Road::CurrentUser);
    EXPECT_TRUE(Pump([&] { return Ends() == 2; }));
    EXPECT_EQ(host->Text(1, L"error_description"), L"连接请求异常(404)");
    EXPECT_EQ(host->Text(2, L"error_description").Left(7), L"创建文件失败(");
    EXPECT_EQ(host->Text(2, L"speed"), L"");
}

// With one download at a time, the next task starts after each kind of end of the one before.
TEST_F(DownloadWndEngineTest, TheNextTaskStartsAfterEveryKindOfEnd) {
    struct Case {
        End end;
        Road road;
    };
    const Case cases[] = {{End::Complete, Road::CurrentUser},      {End::Paused, Road::CurrentUser},
                          {End::ConnectFailed, Road::CurrentUser}, {End::CreateFailed, Road::CurrentUser},
                          {End::RenameFailed, Road::CurrentUser},  {End::Complete, Road::OtherUser},
                          {End::Complete, Road::NoRow},            {End::ConnectFailed, Road::OtherUser},
                          {End::Paused, Road::NoRow}};
    int base = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(Name(c.end)) + ", " + Name(c.road));
        settings.SignIn(L"alice");
        Open();
        int first = ++base, second = ++base, third = ++base;
        CScopedHandle held;
        if (c.end == End::RenameFailed) {
            data.folder.WriteFile(PathOf(first).Mid(data.folder.Path().GetLength()), "old");
            held = CScopedHandle(
                CreateFileW(PathOf(first), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held);
        }
        StartEnding(first, c.end == End::RenameFailed ? End::Complete : c.end, c.road);
        if (c.road == Road::OtherUser) settings.SignIn(L"alice");  // the later tasks are this user's again
        Add({Item(second), Item(third)});
        if (c.road == Road::OtherUser) settings.SignIn(L"bob");
        EXPECT_TRUE(Pump([&] { return RequestsFor(third) > 0 && Ends() >= 3; }));
        EXPECT_EQ(Ends(), 3);
        EXPECT_EQ(RequestsFor(second), 1);
        if (c.road != Road::OtherUser) {
            EXPECT_TRUE(IsWhole(second));
            EXPECT_TRUE(IsWhole(third));
        }
        if (c.end == End::RenameFailed) {
            // The old file stays whole; the row waits, paused, for the next run.
            held = CScopedHandle();
            EXPECT_EQ(data.folder.ReadFile(PathOf(first).Mid(data.folder.Path().GetLength())), "old");
            EXPECT_EQ(RowState(first), DOWNLOAD_STATE_PAUSED);
            EXPECT_EQ(host->Text(first, L"error_description").Left(8), L"重命名文件失败(");
            ASSERT_EQ(Recorded().Of(CMD_DOWNLOAD_FAILED).size(), 1u);
            EXPECT_EQ(Recorded().Of(CMD_DOWNLOAD_FAILED)[0].FileID, first);
            EXPECT_TRUE(Exists(PathOf(first) + L".temp"));
        }
        Close();
    }
}

// The ".temp" held by another program when the job's end is handled: the move fails,
// and the file of the final name that was there before is still whole.
TEST_F(DownloadWndEngineTest, AFailedRenameKeepsTheOldFile) {
    data.folder.WriteFile(L"v1.xof", "old");
    Open();
    Add({Item(1)});
    MSG end;
    DWORD start = GetTickCount();
    while (!PeekMessageW(&end, host->Handle(), WM_DOWNLOAD_COMPLETE, WM_DOWNLOAD_COMPLETE, PM_NOREMOVE) &&
           GetTickCount() - start < 20000)
        Sleep(10);
    CScopedHandle held(
        CreateFileW(PathOf(1) + L".temp", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_TRUE(Pump([&] { return Ends() == 1; }));
    held = CScopedHandle();
    EXPECT_EQ(data.folder.ReadFile(L"v1.xof"), "old");
    EXPECT_EQ(RowState(1), DOWNLOAD_STATE_PAUSED);
    EXPECT_EQ(Recorded().Of(CMD_DOWNLOAD_FAILED).size(), 1u);

    // The record stays unfinished: the next run resumes the task and completes it.
    Close();
    Open();
    settings.Download().AutoDownload = true;
    control->Execute(CMD_MAIN_WINDOW_CREATED, nullptr);
    EXPECT_TRUE(Pump([&] { return Recorded().Of(CMD_DOWNLOAD_COMPLETE).size() == 1; }));
    EXPECT_TRUE(IsWhole(1));
    EXPECT_EQ(RowState(1), DOWNLOAD_STATE_FINISHED);
}

TEST_F(DownloadWndEngineTest, WithoutItsManagerTheWindowStillFreesEverySlot) {
    Open(false);
    Add({Item(1), Item(2), Item(3)});
    EXPECT_TRUE(Pump([&] { return Ends() == 3; }));
    EXPECT_EQ(Recorded().Of(CMD_DOWNLOAD_STOPPED).size(), 3u);
    for (int fileId : {1, 2, 3}) EXPECT_EQ(RequestsFor(fileId), 1);
}

TEST_F(DownloadWndEngineTest, TwoAtOnceNeverRunThree) {
    settings.Download().DownloadNum = 2;
    Open();
    for (int fileId = 1; fileId <= 5; ++fileId) slowFiles |= 1u << fileId;
    std::vector<DOWNLOAD_LIST_ITEM> items;
    for (int fileId = 1; fileId <= 5; ++fileId) items.push_back(Item(fileId));
    Add(items);
    size_t most = 0;
    EXPECT_TRUE(Pump(
        [&] {
            std::vector<DOWNLOAD_LIST_ITEM> running;
            host->Window().GetTasksInState(running, DOWNLOAD_STATE_DOWNLOADING);
            most = std::max(most, running.size());
            return Recorded().Of(CMD_DOWNLOAD_COMPLETE).size() == 5;
        },
        60000));
    EXPECT_EQ(most, 2u);
    for (int fileId = 1; fileId <= 5; ++fileId) EXPECT_TRUE(IsWhole(fileId)) << fileId;
}

TEST_F(DownloadWndEngineTest, CompletionReplacesAnExistingFileByteForByte) {
    data.folder.WriteFile(L"v1.xof", std::string(500000, 'x'));
    Open();
    Add({Item(1)});
    EXPECT_TRUE(Pump([&] { return Ends() == 1; }));
    EXPECT_TRUE(IsWhole(1));
    EXPECT_FALSE(Exists(PathOf(1) + L".temp"));
    EXPECT_EQ(RowState(1), DOWNLOAD_STATE_FINISHED);
    ASSERT_EQ(Recorded().Of(CMD_DOWNLOAD_COMPLETE).size(), 1u);
    EXPECT_EQ(host->Manager().GetTaskItem(1).Task.FilePath, PathOf(1));
}

TEST_F(DownloadWndEngineTest, FinishedFilesJoinThePlayListOnlyWhenAsked) {
    for (bool autoAdd : {false, true}) {
        SCOPED_TRACE(autoAdd ? "on" : "off");
        settings.Download().AutoAdd2PlayList = autoAdd;
        Open();
        windows.calls.clear();
        int fileId = autoAdd ? 2 : 1;
        Add({Item(fileId)});
        EXPECT_TRUE(Pump([&] { return Ends() == 1; }));
        std::vector<std::string> added;
        for (const std::string& call : windows.calls)
            if (call.rfind("AddPlayListItem", 0) == 0 || call == "RefreshPlayState") added.push_back(call);
        std::string path;
        WideToUtf8(PathOf(fileId), true, path);
        if (autoAdd)
            EXPECT_EQ(added, (std::vector<std::string>{"AddPlayListItem " + path + " Album_Part" + std::to_string(fileId),
                                                       "RefreshPlayState"}));
        else
            EXPECT_TRUE(added.empty());
        CAppFacade::GetInstance().RemoveItem(PathOf(fileId));
        Close();
    }
}

TEST_F(DownloadWndEngineTest, WindowsShutsDownAfterTheLastBusyRowOnlyWhenTicked) {
    struct Case {
        End end;
        bool ticked;
        bool pausedRowBeside;
        bool shutDown, savedFirst;
    };
    const Case cases[] = {
        {End::Complete, true, true, true, true},       {End::ConnectFailed, true, false, true, false},
        {End::CreateFailed, true, false, true, false}, {End::Paused, true, false, false, false},
        {End::Complete, false, false, false, false},   {End::ConnectFailed, false, false, false, false},
    };
    int fileId = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(Name(c.end)) + (c.ticked ? ", ticked" : ", not ticked"));
        Open();
        windows.calls.clear();
        if (c.pausedRowBeside) host->Window().AddTaskRow(DOWNLOAD_LIST_ITEM(DOWNLOAD_STATE_PAUSED, Item(90).Task));
        if (c.ticked) host->Click(host->Find(L"shutdown_when_complete"));
        StartEnding(++fileId, c.end, Road::CurrentUser);
        EXPECT_TRUE(Pump([&] { return Ends() == 1; }));
        host->Pump(200);
        EXPECT_EQ(DownloadWndHost::Answers().exits, c.shutDown ? std::vector<UINT>{EWX_SHUTDOWN | EWX_FORCE}
                                                               : std::vector<UINT>{});
        bool saved = std::find(windows.calls.begin(), windows.calls.end(), "SavePlayPosition") != windows.calls.end();
        EXPECT_EQ(saved, c.savedFirst);
        Close();
    }
}

}  // namespace
