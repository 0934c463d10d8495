// Decides when a download job may run: jobs wait in a pending list, oldest first, and
// go to the work queue while fewer run than the DownloadNum setting allows. A job holds
// its slot from being queued until the download control reports its end. A raised
// DownloadNum starts waiting jobs at once; a lowered one stops none.
// Called on the user-interface thread only. Lock order: this scheduler's lock, then
// the queue's or the pause requests' lock; never the other way round.
#pragma once

#include <afxmt.h>

#include <deque>
#include <memory>

#include "config/IObserver.h"
#include "download/DownloadQueue.h"

class CDownloadScheduleControl : public IObserver {
public:
    // Starts the work queue with its workers and observes the settings.
    CDownloadScheduleControl();
    // Leaves the settings' observers, stops and joins the workers and destroys the
    // queued and pending jobs.
    ~CDownloadScheduleControl() override;
    CDownloadScheduleControl(const CDownloadScheduleControl&) = delete;
    CDownloadScheduleControl& operator=(const CDownloadScheduleControl&) = delete;

    // False when the work queue could not start: then every job is refused.
    bool IsRunning() const { return m_queue.IsRunning(); }
    // A new job; false when it was refused (and destroyed).
    bool Add(std::unique_ptr<WorkItemBase> item);
    // A job started again. When an earlier job of the same task still waits, is queued or
    // runs, that job goes on (a request that it stop is withdrawn) and the given one is
    // destroyed. False when refused.
    bool Resume(std::unique_ptr<WorkItemBase> item);
    // Destroys the pending job of the key, or asks its queued or running job to stop.
    void Stop(const DOWNLOAD_JOB_KEY& key);
    // A job's end was reported: its slot is free.
    void OnJobFinished();

    // A change of DownloadNum schedules at once.
    void OnConfigChanged(const std::vector<int>& changes) override;

private:
    bool RemovePending(const DOWNLOAD_JOB_KEY& key);
    bool IsPending(const DOWNLOAD_JOB_KEY& key) const;
    // Queues pending jobs, oldest first, while fewer than DownloadNum run.
    void Schedule();

    int m_running = 0;  // queued or running jobs whose end is not yet reported
    std::deque<std::unique_ptr<WorkItemBase>> m_pending;
    CDownloadQueue m_queue;
    CCriticalSection m_lock;  // guards m_pending, m_running and each scheduling pass
};
