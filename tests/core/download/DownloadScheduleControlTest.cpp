#include <gtest/gtest.h>

#include <new>
#include <thread>

#include "download/DownloadScheduleControl.h"
#include "download/JobMessageWindow.h"
#include "download/ScriptedJob.h"
#include "common/WindowMessages.h"
#include "fixtures/UserConfigScope.h"

namespace {

// The scheduler with a window that reports every job's end back to it, as the
// download window does through the download control.
class DownloadScheduleControlTest : public testing::Test {
protected:
    void SetUp() override {
        scheduler = std::make_unique<CDownloadScheduleControl>();
        ASSERT_TRUE(scheduler->IsRunning());
        window.onMessage = [this](const ReceivedMessage& m) {
            if (m.Message != WM_DOWNLOAD_STARTED && m.Message != WM_DOWNLOAD_PROGRESS) scheduler->OnJobFinished();
        };
    }
    void TearDown() override {
        window.onMessage = nullptr;
        for (const auto& probe : probes) probe->Release();
        scheduler.reset();
    }

    // A job of the given task whose probe the test keeps.
    std::unique_ptr<ScriptedJob> Job(int fileId, JobStep step = {DOWNLOAD_ERR_NONE, 0, true},
                                     const CString& user = L"alice") {
        probes.push_back(std::make_shared<JobProbe>());
        return std::make_unique<ScriptedJob>(fileId, user, std::vector<JobStep>{step}, probes.back(), window.Wnd());
    }
    static DOWNLOAD_JOB_KEY Key(int fileId, const CString& user = L"alice") {
        return DOWNLOAD_JOB_KEY(fileId, user, L"", 0);
    }
    bool Started(size_t job) const { return probes[job]->WaitStarted(0); }
    // Lets the job end and waits until its end message has been handled.
    void Finish(size_t job) {
        int ends = window.EndCount();
        probes[job]->Release();
        ASSERT_TRUE(window.PumpUntil([&] { return window.EndCount() > ends; }));
    }
    // Gives workers time to pick up what was queued.
    void Settle() { window.PumpFor(150); }

    UserConfigScope settings;
    JobMessageWindow window;
    std::vector<std::shared_ptr<JobProbe>> probes;
    std::unique_ptr<CDownloadScheduleControl> scheduler;
};

TEST_F(DownloadScheduleControlTest, RunsAtMostDownloadNumJobsInOrderOfArrival) {
    settings.Download().DownloadNum = 5;
    for (int id = 0; id < 7; ++id) ASSERT_TRUE(scheduler->Add(Job(id)));
    for (size_t job = 0; job < 5; ++job) ASSERT_TRUE(probes[job]->WaitStarted()) << job;
    Settle();
    EXPECT_FALSE(Started(5));
    EXPECT_FALSE(Started(6));

    Finish(2);
    ASSERT_TRUE(probes[5]->WaitStarted());
    Settle();
    EXPECT_FALSE(Started(6));
    Finish(0);
    ASSERT_TRUE(probes[6]->WaitStarted());
}

TEST_F(DownloadScheduleControlTest, LowerLimitStopsNothingAndHoldsBackNewJobs) {
    settings.Download().DownloadNum = 3;
    for (int id = 0; id < 5; ++id) scheduler->Add(Job(id));
    for (size_t job = 0; job < 3; ++job) ASSERT_TRUE(probes[job]->WaitStarted());

    settings.Download().DownloadNum = 1;
    Finish(0);
    Finish(1);
    Settle();
    EXPECT_FALSE(Started(3));  // one still runs: the new limit is reached
    EXPECT_TRUE(window.PumpUntil([&] { return window.EndCount() == 2; }));
    Finish(2);
    ASSERT_TRUE(probes[3]->WaitStarted());
    Settle();
    EXPECT_FALSE(Started(4));
}

// The settings dialog raises DownloadNum: waiting jobs start at once, without any end.
TEST_F(DownloadScheduleControlTest, RaisedLimitStartsWaitingJobsAtOnce) {
    settings.Download().DownloadNum = 2;
    for (int id = 0; id < 6; ++id) scheduler->Add(Job(id));
    ASSERT_TRUE(probes[1]->WaitStarted());

    settings.Download().DownloadNum = 4;
    settings.Download().NotifyChange(CONFIG_CHANGE_DOWNLOAD_PATH);
    CUserConfig::GetInstance().NotifyObservers();
    Settle();
    EXPECT_FALSE(Started(2));  // another change: no scheduling

    settings.Download().NotifyChange(CONFIG_CHANGE_DOWNLOAD_NUM);
    CUserConfig::GetInstance().NotifyObservers();
    ASSERT_TRUE(probes[2]->WaitStarted());
    ASSERT_TRUE(probes[3]->WaitStarted());
    Settle();
    EXPECT_FALSE(Started(4));
}

// The settings would call a freed scheduler: an observer placed where it stood shows it.
TEST_F(DownloadScheduleControlTest, DestroyedSchedulerIsNoLongerTold) {
    struct TrapObserver : IObserver {
        void OnConfigChanged(const std::vector<int>&) override { told = true; }
        bool told = false;
    };
    static_assert(sizeof(TrapObserver) <= sizeof(CDownloadScheduleControl), "the trap fits the scheduler's place");
    CDownloadScheduleControl* place = scheduler.release();
    place->~CDownloadScheduleControl();
    TrapObserver* trap = new (place) TrapObserver;
    settings.Download().NotifyChange(CONFIG_CHANGE_DOWNLOAD_NUM);
    CUserConfig::GetInstance().NotifyObservers();
    EXPECT_FALSE(trap->told);
    trap->~TrapObserver();
    ::operator delete(place);
}

TEST_F(DownloadScheduleControlTest, EndReportsWithoutRunningJobsFreeNoExtraSlot) {
    settings.Download().DownloadNum = 1;
    scheduler->OnJobFinished();
    scheduler->OnJobFinished();
    scheduler->Add(Job(1));
    scheduler->Add(Job(2));
    ASSERT_TRUE(probes[0]->WaitStarted());
    Settle();
    EXPECT_FALSE(Started(1));
}

TEST_F(DownloadScheduleControlTest, PausedPendingJobIsDroppedAndRestartsAtTheBack) {
    settings.Download().DownloadNum = 1;
    scheduler->Add(Job(1));
    scheduler->Add(Job(2));
    scheduler->Add(Job(3));
    ASSERT_TRUE(probes[0]->WaitStarted());

    scheduler->Stop(Key(2));
    EXPECT_TRUE(probes[1]->destroyed);
    EXPECT_EQ(0, probes[1]->attempts);
    ASSERT_TRUE(scheduler->Resume(Job(2)));  // probes[3]

    Finish(0);
    ASSERT_TRUE(probes[2]->WaitStarted());
    Settle();
    EXPECT_FALSE(Started(3));
    Finish(2);
    ASSERT_TRUE(probes[3]->WaitStarted());
    EXPECT_EQ(0, window.Count(WM_DOWNLOAD_PAUSED));
}

// Pausing a running job and starting it again before the job looked for the request
// withdraws the request: the job goes on and no second transfer starts.
TEST_F(DownloadScheduleControlTest, QuickRestartKeepsTheRunningJob) {
    scheduler->Add(Job(1, {DOWNLOAD_ERR_NONE, 0, true, false, false}));
    ASSERT_TRUE(probes[0]->WaitStarted());
    scheduler->Stop(Key(1));
    ASSERT_TRUE(scheduler->Resume(Job(1)));
    EXPECT_TRUE(probes[1]->destroyed);

    Finish(0);
    Settle();
    EXPECT_EQ(0, probes[1]->attempts);
    EXPECT_EQ(1, window.Count(WM_DOWNLOAD_COMPLETE));
    EXPECT_EQ(1, window.EndCount());
}

// A job asked to stop that ends on its own (here with a write error) leaves no request
// behind, so starting the task again really starts it.
TEST_F(DownloadScheduleControlTest, RestartAfterAnEndedJobIsNeverLost) {
    scheduler->Add(Job(1, {DOWNLOAD_ERR_WRITE_FILE, 112, true, false, false}));
    ASSERT_TRUE(probes[0]->WaitStarted());
    scheduler->Stop(Key(1));
    Finish(0);
    EXPECT_EQ(1, window.Count(WM_DOWNLOAD_FAILED));

    scheduler->Stop(Key(1));  // the row still looked busy: the job is gone already
    ASSERT_TRUE(scheduler->Resume(Job(1)));
    ASSERT_TRUE(probes[1]->WaitStarted());
    EXPECT_FALSE(probes[1]->destroyed);
}

// Starting a task again while its job waits or runs starts no second job.
TEST_F(DownloadScheduleControlTest, ResumeOfAWaitingOrRunningJobDoesNothing) {
    settings.Download().DownloadNum = 1;
    scheduler->Add(Job(1));
    scheduler->Add(Job(2));
    ASSERT_TRUE(probes[0]->WaitStarted());
    ASSERT_TRUE(scheduler->Resume(Job(1)));  // probes[2]
    ASSERT_TRUE(scheduler->Resume(Job(2)));  // probes[3]
    EXPECT_TRUE(probes[2]->destroyed);
    EXPECT_TRUE(probes[3]->destroyed);

    Finish(0);
    ASSERT_TRUE(probes[1]->WaitStarted());
    Finish(1);
    Settle();
    EXPECT_EQ(0, probes[2]->attempts);
    EXPECT_EQ(0, probes[3]->attempts);
    EXPECT_EQ(2, window.Count(WM_DOWNLOAD_COMPLETE));
}

TEST_F(DownloadScheduleControlTest, PauseRequestMatchesTheUserToo) {
    scheduler->Add(Job(9, {DOWNLOAD_ERR_NONE, 0, true}, L"alice"));
    scheduler->Add(Job(9, {DOWNLOAD_ERR_NONE, 0, true}, L"bob"));
    ASSERT_TRUE(probes[0]->WaitStarted());
    ASSERT_TRUE(probes[1]->WaitStarted());

    scheduler->Stop(Key(9, L"bob"));
    ASSERT_TRUE(window.PumpUntil([&] { return window.EndCount() == 1; }));
    ASSERT_EQ(1, window.Count(WM_DOWNLOAD_PAUSED));
    EXPECT_EQ(CString(L"bob"), window.Of(WM_DOWNLOAD_PAUSED)[0].Key->UserName);
    Settle();
    EXPECT_EQ(1, window.EndCount());  // alice's job goes on
    Finish(0);
    EXPECT_EQ(1, window.Count(WM_DOWNLOAD_COMPLETE));
}

TEST_F(DownloadScheduleControlTest, DestructionEndsWorkersAndDestroysEveryJob) {
    settings.Download().DownloadNum = 1;
    scheduler->Add(Job(1));
    scheduler->Add(Job(2));
    ASSERT_TRUE(probes[0]->WaitStarted());

    std::thread releaser([&] {
        Sleep(200);
        probes[0]->Release();
    });
    scheduler.reset();
    releaser.join();
    EXPECT_TRUE(probes[0]->destroyed);
    EXPECT_TRUE(probes[1]->destroyed);
    EXPECT_EQ(0, probes[1]->attempts);
}

}  // namespace
