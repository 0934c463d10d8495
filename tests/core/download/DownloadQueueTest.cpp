#include <gtest/gtest.h>

#include <thread>

#include "download/DownloadQueue.h"
#include "download/JobMessageWindow.h"
#include "download/ScriptedJob.h"
#include "common/WindowMessages.h"
#include "fixtures/UserConfigScope.h"

#include <tlhelp32.h>

namespace {

int ThreadsOfThisProcess() {
    CScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry = {sizeof(entry)};
    int count = 0;
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more; more = Thread32Next(snapshot.Get(), &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    return count;
}

class DownloadQueueTest : public testing::Test {
protected:
    std::unique_ptr<ScriptedJob> Job(int fileId, std::vector<JobStep> steps, std::shared_ptr<JobProbe> probe) {
        return std::make_unique<ScriptedJob>(fileId, L"alice", std::move(steps), std::move(probe), window.Wnd());
    }

    UserConfigScope settings;
    JobMessageWindow window;
    CDownloadQueue queue;
};

struct ResultCase {
    const char* name;
    std::vector<JobStep> steps;
    int retries;
    int attempts;
    UINT message;
    int kind;  // of the posted error; -1 when the message carries none
    int detail;
    bool askedToStop = false;  // a pause request is there when the job starts
};

void PrintTo(const ResultCase& c, std::ostream* out) { *out << c.name; }

class JobResultTest : public DownloadQueueTest, public testing::WithParamInterface<ResultCase> {};

// One job ends with exactly one message whose payloads tell how it ended.
TEST_P(JobResultTest, PostsOneEndMessage) {
    const ResultCase& c = GetParam();
    auto probe = std::make_shared<JobProbe>();
    auto job = Job(7, c.steps, probe);
    if (c.askedToStop) {
        queue.GetPauseRequests().JobQueued(job->GetKey());
        queue.GetPauseRequests().Add(job->GetKey());
    }
    queue.RunJob(*job, c.retries);
    window.PumpFor(50);

    EXPECT_EQ(c.attempts, probe->attempts);
    ASSERT_EQ(1, (int)window.messages.size());
    const ReceivedMessage& end = window.messages[0];
    EXPECT_EQ(c.message, end.Message);
    ASSERT_TRUE(end.Key);
    EXPECT_EQ(7, end.Key->FileID);
    EXPECT_EQ(CString(L"alice"), end.Key->UserName);
    EXPECT_EQ(CString(L"C:\\videos\\7.xof"), end.Key->FilePath);
    EXPECT_EQ(0, end.Key->Bytes);
    if (c.kind < 0) {
        EXPECT_FALSE(end.Error);
        EXPECT_EQ(0, end.LParam);
    } else {
        ASSERT_TRUE(end.Error);
        EXPECT_EQ(c.kind, end.Error->Kind);
        EXPECT_EQ(c.detail, end.Error->Detail);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Results, JobResultTest,
    testing::Values(
        ResultCase{"Complete", {{DOWNLOAD_ERR_NONE}}, 5, 1, WM_DOWNLOAD_COMPLETE, -1, 0},
        ResultCase{"Paused", {{DOWNLOAD_ERR_PAUSED}}, 5, 1, WM_DOWNLOAD_PAUSED, DOWNLOAD_ERR_PAUSED, 0},
        ResultCase{"ConnectFailsFiveTimes",
                   {{DOWNLOAD_ERR_CONNECT, 12029}},
                   5,
                   5,
                   WM_DOWNLOAD_CONNECT_FAILED,
                   DOWNLOAD_ERR_CONNECT,
                   12029},
        ResultCase{"ConnectOnceWithRelinkZero",
                   {{DOWNLOAD_ERR_CONNECT, 12029}},
                   0,
                   1,
                   WM_DOWNLOAD_CONNECT_FAILED,
                   DOWNLOAD_ERR_CONNECT,
                   12029},
        ResultCase{"ConnectOnceWithRelinkOne",
                   {{DOWNLOAD_ERR_CONNECT, 12002}},
                   1,
                   1,
                   WM_DOWNLOAD_CONNECT_FAILED,
                   DOWNLOAD_ERR_CONNECT,
                   12002},
        ResultCase{"StopsInsteadOfReconnecting",
                   {{DOWNLOAD_ERR_CONNECT, 12029}},
                   5,
                   1,
                   WM_DOWNLOAD_PAUSED,
                   DOWNLOAD_ERR_PAUSED,
                   0,
                   true},
        ResultCase{"ReconnectsThenCompletes",
                   {{DOWNLOAD_ERR_CONNECT, 12030}, {DOWNLOAD_ERR_CONNECT, 12030}, {DOWNLOAD_ERR_NONE}},
                   5,
                   3,
                   WM_DOWNLOAD_COMPLETE,
                   -1,
                   0},
        ResultCase{
            "CreateFileFails", {{DOWNLOAD_ERR_CREATE_FILE, 5}}, 5, 1, WM_DOWNLOAD_FAILED, DOWNLOAD_ERR_CREATE_FILE, 5},
        ResultCase{
            "WriteFails", {{DOWNLOAD_ERR_WRITE_FILE, 112}}, 5, 1, WM_DOWNLOAD_FAILED, DOWNLOAD_ERR_WRITE_FILE, 112},
        // A job that throws or returns no known result still ends with a message,
        // so the download window frees its running slot.
        ResultCase{"Throws", {{DOWNLOAD_ERR_NONE, 0, false, true}}, 5, 1, WM_DOWNLOAD_FAILED, DOWNLOAD_ERR_UNKNOWN, 0},
        ResultCase{"UnknownResult", {{9}}, 5, 1, WM_DOWNLOAD_FAILED, DOWNLOAD_ERR_UNKNOWN, 0}));

TEST_F(DownloadQueueTest, WorkersRunQueuedJobsWithTheRetriesReadAtStart) {
    settings.Download().RelinkTimes = 3;
    ASSERT_TRUE(queue.Start());
    settings.Download().RelinkTimes = 1;  // does not reach the running workers

    auto failing = std::make_shared<JobProbe>();
    ASSERT_TRUE(queue.Enqueue(Job(1, {{DOWNLOAD_ERR_CONNECT, 12029}}, failing)));
    std::vector<std::shared_ptr<JobProbe>> good;
    for (int id = 2; id <= 4; ++id) {
        good.push_back(std::make_shared<JobProbe>());
        ASSERT_TRUE(queue.Enqueue(Job(id, {{DOWNLOAD_ERR_NONE}}, good.back())));
    }
    ASSERT_TRUE(window.PumpUntil([&] { return window.EndCount() == 4; }));

    EXPECT_EQ(3, failing->attempts);
    EXPECT_EQ(1, window.Count(WM_DOWNLOAD_CONNECT_FAILED));
    EXPECT_EQ(3, window.Count(WM_DOWNLOAD_COMPLETE));
    queue.Shutdown();  // a worker destroys its job right after the job's last message
    for (const auto& probe : good) {
        EXPECT_EQ(1, probe->attempts);
        EXPECT_TRUE(probe->destroyed);
    }
}

// Shutdown waits for the jobs that run, destroys the queued ones without running them
// and leaves no worker thread behind.
TEST_F(DownloadQueueTest, ShutdownWaitsForRunningJobsAndDropsQueuedOnes) {
    int threadsBefore = ThreadsOfThisProcess();
    ASSERT_TRUE(queue.Start());
    EXPECT_EQ(threadsBefore + CDownloadQueue::WORKER_COUNT, ThreadsOfThisProcess());

    std::vector<std::shared_ptr<JobProbe>> running, queued;
    for (int id = 0; id < CDownloadQueue::WORKER_COUNT; ++id) {
        running.push_back(std::make_shared<JobProbe>());
        queue.Enqueue(Job(id, {{DOWNLOAD_ERR_NONE, 0, true}}, running.back()));
    }
    for (const auto& probe : running) ASSERT_TRUE(probe->WaitStarted());
    for (int id = 100; id < 103; ++id) {
        queued.push_back(std::make_shared<JobProbe>());
        queue.Enqueue(Job(id, {{DOWNLOAD_ERR_NONE}}, queued.back()));
    }

    std::thread releaser([&] {
        Sleep(300);
        for (const auto& probe : running) probe->Release();
    });
    queue.Shutdown();
    releaser.join();

    EXPECT_FALSE(queue.IsRunning());
    EXPECT_EQ(threadsBefore, ThreadsOfThisProcess());
    for (const auto& probe : running) {
        EXPECT_EQ(1, probe->attempts);
        EXPECT_TRUE(probe->destroyed);
    }
    for (const auto& probe : queued) {
        EXPECT_EQ(0, probe->attempts);
        EXPECT_TRUE(probe->destroyed);
    }
    window.PumpFor(50);
    EXPECT_EQ(CDownloadQueue::WORKER_COUNT, window.Count(WM_DOWNLOAD_COMPLETE));
    EXPECT_EQ(CDownloadQueue::WORKER_COUNT, (int)window.messages.size());
}

TEST_F(DownloadQueueTest, StoppedQueueRefusesJobs) {
    auto probe = std::make_shared<JobProbe>();
    EXPECT_FALSE(queue.Enqueue(Job(1, {{DOWNLOAD_ERR_NONE}}, probe)));
    EXPECT_TRUE(probe->destroyed);
    EXPECT_EQ(nullptr, queue.Dequeue());
}

// A running job stops at a pause request; a request made after the job ended is not kept.
TEST_F(DownloadQueueTest, PauseRequestsReachOnlyTheJobThatIsThere) {
    ASSERT_TRUE(queue.Start());
    CPauseRequestList& requests = queue.GetPauseRequests();

    auto held = std::make_shared<JobProbe>();
    queue.Enqueue(Job(5, {{DOWNLOAD_ERR_NONE, 0, true}}, held));
    ASSERT_TRUE(held->WaitStarted());
    requests.Add(DOWNLOAD_JOB_KEY(5, L"alice", L"other path", 0));
    ASSERT_TRUE(window.PumpUntil([&] { return window.EndCount() == 1; }));
    EXPECT_EQ(1, window.Count(WM_DOWNLOAD_PAUSED));

    // The job is gone: a request for it is not kept.
    requests.Add(DOWNLOAD_JOB_KEY(5, L"alice", L"", 0));
    EXPECT_FALSE(requests.Take(DOWNLOAD_JOB_KEY(5, L"alice", L"", 0)));
}

// A job that fails (or completes) while asked to stop takes its request with it.
TEST_F(DownloadQueueTest, EndOfAJobTakesItsPauseRequest) {
    CPauseRequestList& requests = queue.GetPauseRequests();
    for (int result : {DOWNLOAD_ERR_NONE, DOWNLOAD_ERR_CONNECT, DOWNLOAD_ERR_CREATE_FILE, DOWNLOAD_ERR_WRITE_FILE}) {
        DOWNLOAD_JOB_KEY key(6, L"alice", L"", 0);
        requests.JobQueued(key);
        requests.Add(key);
        auto job = Job(6, {{result, 112}}, std::make_shared<JobProbe>());
        queue.RunJob(*job, 1);
        EXPECT_FALSE(requests.Take(key)) << result;
    }
}

}  // namespace
