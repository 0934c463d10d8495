// The download control with the real scheduler, workers and HTTP jobs against the
// loopback server, over a fresh database; the download window is the test
// implementation of FakeWindows with a stand-in for its message handlers.
#include <gtest/gtest.h>

#include <atomic>
#include <map>

#include "db/DownloadRecordSql.h"
#include "download/DownloadControl.h"
#include "download/DownloadTestFiles.h"
#include "download/DownloadWindowStandIn.h"
#include "support/MessageBoxAnswerer.h"
#include "facade/AppFacade.h"
#include "common/WindowMessages.h"
#include "facade/CommandCodes.h"
#include "fixtures/ProgramFolder.h"
#include "fixtures/UserConfigScope.h"
#include "http/HttpReplies.h"
#include "support/PlayerCoreStart.h"

namespace {

using namespace std::chrono_literals;

class DownloadControlTest : public testing::Test {
protected:
    DownloadControlTest() {
        settings.SignIn(L"alice");
        server.SetHandler([this](const HttpRequest& request, HttpReply& reply) {
            int fileId = atoi(request.Path().c_str() + 2);  // "/v<id>"
            reply = RangeReply(request, PatternSource(SizeOf(fileId)));
            if (slowFiles & (1u << fileId)) {  // about 80 KB/s
                reply.pieceSize = 4096;
                reply.pieceDelay = 50ms;
            }
            if (tricklingFiles & (1u << fileId)) {  // 100 KB at once, then 1000 bytes a second
                reply.burst = 100000;
                reply.pieceSize = 100;
                reply.pieceDelay = 100ms;
            }
        });
    }
    void SetUp() override {
        ASSERT_TRUE(data.upgraded);
        control = std::make_unique<CDownloadControl>(&windows.downloadWnd, core.get());
    }
    void TearDown() override {
        slowFiles = 0;
        tricklingFiles = 0;
        control.reset();
    }

    static uint64_t SizeOf(int fileId) { return 200000 + 1000 * (uint64_t)fileId; }
    CString FileName(int fileId, const CString& user = L"alice") const {
        CString name;
        name.Format(L"%s_v%d.xof", (LPCWSTR)user, fileId);
        return name;
    }
    CString PathOf(int fileId, const CString& user = L"alice") const {
        return data.folder.File(FileName(fileId, user));
    }
    // A task as the album list brings it.
    DOWNLOAD_LIST_ITEM Item(int fileId, const CString& user = L"alice") const {
        DOWNLOAD_TASK_INFO task;
        task.FileID = fileId;
        task.FileSize = 1048576;
        task.FilePath = PathOf(fileId, user);
        task.DownloadUrl = Wide(server.Url("/v" + std::to_string(fileId)));
        task.Sequence = fileId;
        task.AlbumName = L"Album";
        task.SectionName.Format(L"Part%d", fileId);
        return DOWNLOAD_LIST_ITEM(0, task);
    }
    void Add(std::vector<DOWNLOAD_LIST_ITEM> items) {
        control->Execute(CMD_ADD_DOWNLOADS, new std::vector<DOWNLOAD_LIST_ITEM>(std::move(items)));
    }
    int RowState(int fileId) const {
        auto row = windows.downloadRows.find(fileId);
        return row == windows.downloadRows.end() ? 0 : row->second.State;
    }
    bool WaitForState(int fileId, int state, DWORD timeoutMs = 20000) {
        return standIn.messages.PumpUntil([&] { return RowState(fileId) == state; }, timeoutMs);
    }
    bool IsWhole(int fileId, const CString& user = L"alice") const {
        return Sha1OfFile(PathOf(fileId, user)) == Sha1OfSource(PatternSource(SizeOf(fileId)), SizeOf(fileId));
    }
    // The stored records of a user by FileID: FilePath, FileSize, DownSize.
    std::map<int, std::vector<CString>> Records(const CString& user = L"alice") {
        CDownloadRecordSql table(data.db.get());
        CStringArray name;
        name.Add(user);
        std::map<int, std::vector<CString>> records;
        if (std::unique_ptr<SqlRows> rows = table.Select(&name))
            for (const CStringArray& row : *rows) records[_wtoi(row[0])] = {row[1], row[2], row[3]};
        return records;
    }
    int RequestsFor(int fileId) const {
        int count = 0;
        for (const HttpRequest& request : server.Requests())
            count += request.Path() == "/v" + std::to_string(fileId) ? 1 : 0;
        return count;
    }

    UserConfigScope settings;
    UpgradedDatabase data;
    FakeWindows windows;
    DownloadWindowStandIn standIn{windows, [this](int code, void* d) {
                                      if (control) control->Execute(code, d);
                                  }};
    std::unique_ptr<CPlayerCore> core = StartPlayerCore(data.folder.Path());
    std::atomic<unsigned> slowFiles{0};       // bit i: file i comes slowly
    std::atomic<unsigned> tricklingFiles{0};  // bit i: file i slows to a trickle after a burst
    LoopbackHttpServer server;
    std::unique_ptr<CDownloadControl> control;
};

// The play list's current file plays while the test runs.
struct PlayingFile {
    explicit PlayingFile(const CString& path) {
        CAppFacade::GetInstance().SetPlayState(PLAY_STATE_PLAYING);
        CAppFacade::GetInstance().SetCurrentPath(path);
    }
    ~PlayingFile() {
        CAppFacade::GetInstance().SetPlayState(PLAY_STATE_NONE);
        CAppFacade::GetInstance().SetCurrentPath(L"");
    }
};

TEST_F(DownloadControlTest, NewTasksAreRecordedThenDownloadedFromByteZero) {
    data.folder.WriteFile(FileName(2) + L".temp", "stale bytes of an earlier download");
    Add({Item(1), Item(2)});
    EXPECT_EQ(DOWNLOAD_STATE_WAITING, RowState(1));
    EXPECT_EQ(DOWNLOAD_STATE_WAITING, RowState(2));
    EXPECT_EQ(2u, Records().size());  // recorded before any job could run
    ASSERT_FALSE(windows.calls.empty());
    EXPECT_EQ("ShowDownloadView(show, select tab)", windows.calls[0]);

    ASSERT_TRUE(WaitForState(1, DOWNLOAD_STATE_FINISHED));
    ASSERT_TRUE(WaitForState(2, DOWNLOAD_STATE_FINISHED));
    EXPECT_TRUE(IsWhole(1));
    EXPECT_TRUE(IsWhole(2));
    EXPECT_FALSE(server.Requests().at(0).HasHeader("range"));
    std::map<int, std::vector<CString>> records = Records();
    EXPECT_EQ(CString(std::to_string(SizeOf(2)).c_str()), records[2][1]);
    EXPECT_EQ(records[2][1], records[2][2]);  // DownSize is the size on disk
    CString title = PathOf(2);
    control->Execute(CMD_GET_FILE_TITLE, &title);
    EXPECT_EQ(CString(L"Album_Part2"), title);
}

// The playing file and a task without a path are left out; the rest of the request goes on.
TEST_F(DownloadControlTest, PlayingFileAndBadEntriesAreSkippedAlone) {
    PlayingFile playing(PathOf(1).MakeUpper());
    MessageBoxAnswerer responder;
    DOWNLOAD_LIST_ITEM noPath = Item(2);
    noPath.Task.FilePath = L"  ";
    Add({Item(1), noPath, Item(3)});

    ASSERT_EQ(1u, responder.Shown().size());
    EXPECT_EQ(L"提示", responder.Shown()[0].Caption);
    EXPECT_EQ(L"文件 " + PathOf(1) + L" 播放中,不能下载!", CString(responder.Shown()[0].Text.c_str()));
    EXPECT_EQ(0, RowState(1));
    EXPECT_EQ(0, RowState(2));
    EXPECT_EQ(DOWNLOAD_STATE_WAITING, RowState(3));
    EXPECT_EQ((std::vector<int>{3}), [&] {
        std::vector<int> ids;
        for (const auto& record : Records()) ids.push_back(record.first);
        return ids;
    }());
    ASSERT_TRUE(WaitForState(3, DOWNLOAD_STATE_FINISHED));
}

TEST_F(DownloadControlTest, FinishedTaskIsDownloadedAgainOnlyWhenTheUserSaysYes) {
    windows.downloadRows[1] = DOWNLOAD_LIST_ITEM(DOWNLOAD_STATE_FINISHED, Item(1).Task);
    data.folder.WriteFile(FileName(1), "the file as it was");
    {
        MessageBoxAnswerer responder({IDNO});
        Add({Item(1)});
        ASSERT_EQ(1u, responder.Shown().size());
        EXPECT_EQ(L"文件" + PathOf(1) + L"已经下载，是否重新下载?", CString(responder.Shown()[0].Text.c_str()));
    }
    standIn.messages.PumpFor(200);
    EXPECT_EQ(DOWNLOAD_STATE_FINISHED, RowState(1));
    EXPECT_EQ("the file as it was", data.folder.ReadFile(FileName(1)));
    EXPECT_EQ(0, RequestsFor(1));

    MessageBoxAnswerer responder({IDYES});
    Add({Item(1)});
    EXPECT_NE(DOWNLOAD_STATE_FINISHED, RowState(1));
    ASSERT_TRUE(WaitForState(1, DOWNLOAD_STATE_FINISHED));
    EXPECT_TRUE(IsWhole(1));
    EXPECT_FALSE(server.Requests().at(0).HasHeader("range"));
}

// A paused row is started again at once, without a question and without a save; a
// waiting one is already on its way.
TEST_F(DownloadControlTest, PausedTaskResumesAndWaitingTaskIsLeftAlone) {
    windows.downloadRows[1] = DOWNLOAD_LIST_ITEM(DOWNLOAD_STATE_PAUSED, Item(1).Task);
    windows.downloadRows[2] = DOWNLOAD_LIST_ITEM(DOWNLOAD_STATE_WAITING, Item(2).Task);
    data.folder.WriteFile(FileName(1) + L".temp", SourceBytes(PatternSource(SizeOf(1)), 1000));
    MessageBoxAnswerer responder;
    Add({Item(1), Item(2)});
    EXPECT_EQ(DOWNLOAD_STATE_WAITING, RowState(1));
    EXPECT_TRUE(Records().empty());

    ASSERT_TRUE(WaitForState(1, DOWNLOAD_STATE_FINISHED));
    EXPECT_TRUE(IsWhole(1));
    EXPECT_EQ("bytes=1000-", server.Requests().at(0).Header("range"));
    EXPECT_EQ(0, RequestsFor(2));
    EXPECT_TRUE(responder.Shown().empty());
}

struct LoadCase {
    const char* name;
    bool autoDownload;
    int unfinishedState;
};

void PrintTo(const LoadCase& c, std::ostream* out) { *out << c.name; }

class LoadTest : public DownloadControlTest, public testing::WithParamInterface<LoadCase> {};

// The user's records come back as rows when the main window stands: a whole file as
// finished, the others paused, or waiting and downloading with AutoDownload.
TEST_P(LoadTest, RecordsBecomeRows) {
    settings.Download().AutoDownload = GetParam().autoDownload;
    CDownloadRecordSql table(data.db.get());
    CDownloadRecordStore store(&table);
    store.SaveTasks({Item(1), Item(2), Item(3)});
    ByteSource source = PatternSource(SizeOf(1));
    data.folder.WriteFile(FileName(1), SourceBytes(source, SizeOf(1)));
    data.folder.WriteFile(FileName(2) + L".temp", SourceBytes(PatternSource(SizeOf(2)), 5000));
    data.folder.WriteFile(FileName(3) + L".temp", SourceBytes(PatternSource(SizeOf(3)), SizeOf(3)));  // never renamed
    {
        DOWNLOAD_LIST_ITEM finishedSize = Item(1);
        finishedSize.Task.FileSize = SizeOf(1);
        store.SaveTasks({finishedSize});
    }
    windows.downloadRows[99] = DOWNLOAD_LIST_ITEM(DOWNLOAD_STATE_PAUSED, Item(99).Task);

    control->Execute(CMD_MAIN_WINDOW_CREATED, nullptr);
    EXPECT_EQ(0, RowState(99));
    EXPECT_EQ(DOWNLOAD_STATE_FINISHED, RowState(1));
    EXPECT_EQ(GetParam().unfinishedState, RowState(2));
    EXPECT_EQ(GetParam().unfinishedState, RowState(3));
    EXPECT_EQ("ScrollListsToTop", windows.calls.back());
    if (!GetParam().autoDownload) {
        standIn.messages.PumpFor(300);
        EXPECT_TRUE(server.Requests().empty());
        return;
    }
    ASSERT_TRUE(WaitForState(2, DOWNLOAD_STATE_FINISHED));
    ASSERT_TRUE(WaitForState(3, DOWNLOAD_STATE_FINISHED));
    EXPECT_TRUE(IsWhole(2));
    EXPECT_TRUE(IsWhole(3));
}

INSTANTIATE_TEST_SUITE_P(Settings, LoadTest,
                         testing::Values(LoadCase{"AutoDownloadOff", false, DOWNLOAD_STATE_PAUSED},
                                         LoadCase{"AutoDownloadOn", true, DOWNLOAD_STATE_WAITING}));

TEST_F(DownloadControlTest, RunningTaskPausesAndResumesToAByteIdenticalFile) {
    slowFiles = 1u << 1;
    Add({Item(1)});
    ASSERT_TRUE(WaitForState(1, DOWNLOAD_STATE_DOWNLOADING));
    ASSERT_TRUE(standIn.messages.PumpUntil([&] { return FileSizeOf(PathOf(1) + L".temp") > 0; }));

    DOWNLOAD_LIST_ITEM row = windows.downloadRows[1];
    control->Execute(CMD_PAUSE_DOWNLOAD, &row);
    ASSERT_TRUE(WaitForState(1, DOWNLOAD_STATE_PAUSED));
    LONGLONG partial = FileSizeOf(PathOf(1) + L".temp");
    EXPECT_LT(partial, (LONGLONG)SizeOf(1));
    EXPECT_EQ(CString(std::to_string(partial).c_str()), Records()[1][2]);  // saved with the size on disk

    slowFiles = 0;
    row = windows.downloadRows[1];
    control->Execute(CMD_START_DOWNLOAD, &row);
    ASSERT_TRUE(WaitForState(1, DOWNLOAD_STATE_FINISHED));
    EXPECT_TRUE(IsWhole(1));
    EXPECT_EQ("bytes=" + std::to_string(partial) + "-", server.Requests().back().Header("range"));
}

TEST_F(DownloadControlTest, WaitingTaskIsPausedAndDeletedWithoutRunning) {
    settings.Download().DownloadNum = 1;
    slowFiles = 1u << 1;
    Add({Item(1), Item(2)});
    ASSERT_TRUE(WaitForState(1, DOWNLOAD_STATE_DOWNLOADING));

    DOWNLOAD_LIST_ITEM waiting = windows.downloadRows[2];
    control->Execute(CMD_PAUSE_DOWNLOAD, &waiting);
    std::vector<DOWNLOAD_LIST_ITEM> deleted = {waiting};
    control->Execute(CMD_DELETE_DOWNLOADS, &deleted);
    EXPECT_EQ(0u, Records().count(2));
    EXPECT_EQ(1u, Records().count(1));

    slowFiles = 0;
    ASSERT_TRUE(WaitForState(1, DOWNLOAD_STATE_FINISHED));
    standIn.messages.PumpFor(300);
    EXPECT_EQ(0, RequestsFor(2));
}

// The download list deletes a running task: it drops the row, pauses the job and
// deletes the record. The job stops, its slot goes to the next task and the record
// does not come back.
TEST_F(DownloadControlTest, DeletedRunningTaskFreesItsSlotAndStaysDeleted) {
    settings.Download().DownloadNum = 1;
    slowFiles = 1u << 1;
    Add({Item(1), Item(2)});
    ASSERT_TRUE(WaitForState(1, DOWNLOAD_STATE_DOWNLOADING));
    ASSERT_TRUE(standIn.messages.PumpUntil([&] { return FileSizeOf(PathOf(1) + L".temp") > 0; }));

    std::vector<DOWNLOAD_LIST_ITEM> deleted = {windows.downloadRows[1]};
    windows.downloadRows.erase(1);
    control->Execute(CMD_PAUSE_DOWNLOAD, &deleted[0]);
    control->Execute(CMD_DELETE_DOWNLOADS, &deleted);

    ASSERT_TRUE(WaitForState(2, DOWNLOAD_STATE_FINISHED));
    EXPECT_TRUE(IsWhole(2));
    EXPECT_EQ(1, standIn.messages.Count(WM_DOWNLOAD_PAUSED));
    EXPECT_LT(FileSizeOf(PathOf(1) + L".temp"), (LONGLONG)SizeOf(1));
    EXPECT_EQ(0u, Records().count(1));
}

// A waiting task that is paused and started again queues behind the others.
TEST_F(DownloadControlTest, WaitingTaskStartedAgainRunsAfterTheOthers) {
    settings.Download().DownloadNum = 1;
    slowFiles = 1u << 1;
    Add({Item(1), Item(2), Item(3)});
    ASSERT_TRUE(WaitForState(1, DOWNLOAD_STATE_DOWNLOADING));

    DOWNLOAD_LIST_ITEM waiting = windows.downloadRows[2];
    control->Execute(CMD_PAUSE_DOWNLOAD, &waiting);
    control->Execute(CMD_START_DOWNLOAD, &waiting);
    ASSERT_TRUE(WaitForState(2, DOWNLOAD_STATE_FINISHED));
    ASSERT_TRUE(WaitForState(3, DOWNLOAD_STATE_FINISHED));
    EXPECT_TRUE(IsWhole(2));
    std::vector<std::string> order;
    for (const HttpRequest& request : server.Requests()) order.push_back(request.Path());
    EXPECT_EQ((std::vector<std::string>{"/v1", "/v3", "/v2"}), order);
}

// Alice's download stops when Bob signs in; its record keeps the size on disk, and Bob's
// task with the same FileID runs on its own.
TEST_F(DownloadControlTest, SignInOfAnotherUserStopsTheFirstUsersJobs) {
    CDownloadRecordSql table(data.db.get());
    CDownloadRecordStore store(&table);
    settings.SignIn(L"bob");
    store.SaveTasks({Item(5, L"bob")});
    settings.SignIn(L"alice");
    slowFiles = 1u << 5;
    Add({Item(5)});
    ASSERT_TRUE(standIn.messages.PumpUntil([&] { return FileSizeOf(PathOf(5) + L".temp") > 0; }));

    settings.Download().AutoDownload = true;
    settings.SignIn(L"bob");
    control->Execute(CMD_USER_LOGIN, nullptr);
    ASSERT_TRUE(WaitForState(5, DOWNLOAD_STATE_DOWNLOADING));  // Bob's row
    EXPECT_EQ(PathOf(5, L"bob"), windows.downloadRows[5].Task.FilePath);
    slowFiles = 0;
    ASSERT_TRUE(WaitForState(5, DOWNLOAD_STATE_FINISHED));
    EXPECT_TRUE(IsWhole(5, L"bob"));

    // Alice's job ended on its pause request; her record tells what is on disk.
    ASSERT_TRUE(standIn.messages.PumpUntil([&] {
        std::map<int, std::vector<CString>> records = Records(L"alice");
        return records.count(5) && records[5][2] != L"0" &&
               records[5][2] == CString(std::to_string(FileSizeOf(PathOf(5) + L".temp")).c_str());
    }));
    EXPECT_LT(FileSizeOf(PathOf(5) + L".temp"), (LONGLONG)SizeOf(5));
}

TEST_F(DownloadControlTest, SignInBeforeTheMainWindowStandsChangesNothing) {
    windows.mainWndCreated = false;
    windows.downloadRows[1] = DOWNLOAD_LIST_ITEM(DOWNLOAD_STATE_PAUSED, Item(1).Task);
    control->Execute(CMD_USER_LOGIN, nullptr);
    EXPECT_EQ(DOWNLOAD_STATE_PAUSED, RowState(1));
    EXPECT_TRUE(windows.calls.empty());
}

// At exit every unfinished record is paused and saved, also one that never started;
// the workers end, and the records come back from a reopened database.
TEST_F(DownloadControlTest, ExitPausesAndKeepsEveryUnfinishedRecord) {
    settings.Download().DownloadNum = 2;
    slowFiles = 1u << 1 | 1u << 3;
    CDownloadRecordSql table(data.db.get());
    CDownloadRecordStore(&table).SaveTasks({Item(4)});  // paused, never started
    Add({Item(1), Item(2), Item(3)});
    ASSERT_TRUE(WaitForState(2, DOWNLOAD_STATE_FINISHED));
    ASSERT_TRUE(WaitForState(3, DOWNLOAD_STATE_DOWNLOADING));  // took the free slot

    control->Execute(CMD_APP_EXIT, nullptr);
    DWORD start = GetTickCount();
    control.reset();
    EXPECT_LT(GetTickCount() - start, 10000u);
    EXPECT_LT(FileSizeOf(PathOf(1) + L".temp"), (LONGLONG)SizeOf(1));

    data.Reopen();
    CDownloadRecordSql reopened(data.db.get());
    std::map<int, DOWNLOAD_LIST_ITEM> loaded;
    for (const DOWNLOAD_LIST_ITEM& item : CDownloadRecordStore(&reopened).LoadTasks()) loaded[item.Task.FileID] = item;
    ASSERT_EQ(4u, loaded.size());
    EXPECT_EQ(DOWNLOAD_STATE_FINISHED, loaded[2].State);
    for (int fileId : {1, 3, 4}) {
        EXPECT_EQ(DOWNLOAD_STATE_DOWNLOADING, loaded[fileId].State) << fileId;
        EXPECT_EQ(FileSizeOf(PathOf(fileId) + L".temp") < 0 ? 0 : FileSizeOf(PathOf(fileId) + L".temp"),
                  loaded[fileId].Task.DownSize);
    }
}

// Without a store a stopped job still frees its slot, and a file title is the file's name.
TEST_F(DownloadControlTest, WithoutAStoreSlotsAndTitlesStillWork) {
    control = std::make_unique<CDownloadControl>(&windows.downloadWnd, nullptr);
    settings.Download().DownloadNum = 1;
    slowFiles = 1u << 1;
    Add({Item(1), Item(2)});
    ASSERT_TRUE(WaitForState(1, DOWNLOAD_STATE_DOWNLOADING));
    DOWNLOAD_JOB_KEY stopped(1, L"someone before", PathOf(1));
    control->Execute(CMD_DOWNLOAD_STOPPED, &stopped);
    ASSERT_TRUE(WaitForState(2, DOWNLOAD_STATE_FINISHED));

    CString title = L"D:\\videos\\clip.xof";
    control->Execute(CMD_GET_FILE_TITLE, &title);
    EXPECT_EQ(CString(L"clip"), title);
}

// At exit a download whose link slowed to a trickle after a burst stops at once.
TEST_F(DownloadControlTest, ExitDuringATrickleEndsTheDownloadAtOnce) {
    tricklingFiles = 1u << 1;
    Add({Item(1)});
    ASSERT_TRUE(standIn.messages.PumpUntil([&] { return FileSizeOf(PathOf(1) + L".temp") >= 65536; }));
    standIn.messages.PumpFor(1000);

    control->Execute(CMD_APP_EXIT, nullptr);
    DWORD start = GetTickCount();
    control.reset();
    EXPECT_LT(GetTickCount() - start, 5000u);
    standIn.messages.PumpFor(100);
    EXPECT_EQ(1, standIn.messages.Count(WM_DOWNLOAD_PAUSED));
    LONGLONG onDisk = FileSizeOf(PathOf(1) + L".temp");
    EXPECT_LT(onDisk, (LONGLONG)SizeOf(1));
    EXPECT_EQ(SourceBytes(PatternSource(SizeOf(1)), onDisk), data.folder.ReadFile(FileName(1) + L".temp"));
}

class SecondStartTest : public DownloadControlTest, public testing::WithParamInterface<bool> {};

// A task started twice runs one job: the second start finds the first job waiting or
// running and does nothing.
TEST_P(SecondStartTest, RunsOneJob) {
    const bool whileWaiting = GetParam();
    settings.Download().DownloadNum = whileWaiting ? 1 : 2;
    slowFiles = 1u << 1 | 1u << 2;
    windows.downloadRows[1] = DOWNLOAD_LIST_ITEM(DOWNLOAD_STATE_PAUSED, Item(1).Task);
    data.folder.WriteFile(FileName(1) + L".temp", SourceBytes(PatternSource(SizeOf(1)), 1000));
    if (whileWaiting) {
        Add({Item(2)});
        ASSERT_TRUE(WaitForState(2, DOWNLOAD_STATE_DOWNLOADING));
    }
    // As the download list starts a row: waiting first, then the command.
    windows.downloadWnd.ChangeTaskRowState(1, DOWNLOAD_STATE_PAUSED, DOWNLOAD_STATE_WAITING);
    DOWNLOAD_LIST_ITEM row = windows.downloadRows[1];
    control->Execute(CMD_START_DOWNLOAD, &row);
    if (!whileWaiting) {
        ASSERT_TRUE(WaitForState(1, DOWNLOAD_STATE_DOWNLOADING));
    }
    control->Execute(CMD_START_DOWNLOAD, &row);

    ASSERT_TRUE(WaitForState(1, DOWNLOAD_STATE_FINISHED));
    standIn.messages.PumpFor(500);
    EXPECT_TRUE(IsWhole(1));
    EXPECT_EQ(1, RequestsFor(1));
    EXPECT_EQ(0, standIn.messages.Count(WM_DOWNLOAD_FAILED));
    EXPECT_EQ(whileWaiting ? 2 : 1, standIn.messages.Count(WM_DOWNLOAD_COMPLETE));
}

INSTANTIATE_TEST_SUITE_P(Moments, SecondStartTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "WhileWaiting" : "WhileRunning";
                         });

TEST(DownloadControlWithoutMainDialogTest, IgnoresAddRequests) {
    FakeWindows windows(false);
    CDownloadControl control(&windows.downloadWnd, nullptr);
    DOWNLOAD_TASK_INFO task;
    task.FileID = 1;
    task.FilePath = L"C:\\v.xof";
    control.Execute(CMD_ADD_DOWNLOADS, new std::vector<DOWNLOAD_LIST_ITEM>{DOWNLOAD_LIST_ITEM(0, task)});
    EXPECT_TRUE(windows.downloadRows.empty());
    EXPECT_TRUE(windows.calls.empty());
}

}  // namespace
