// Runs download jobs on ten worker threads fed in FIFO order. A worker repeats a job
// after a connection error while retries are left (and the job is not asked to stop)
// and posts how it ended to the job's window. The queue also holds the pause
// requests through which a job is asked to stop.
#pragma once

#include <afxmt.h>

#include <deque>
#include <memory>
#include <vector>

#include "ScopedHandle.h"
#include "download/PauseRequestList.h"
#include "download/WorkItemBase.h"

class CDownloadQueue {
public:
    static constexpr int WORKER_COUNT = 10;

    CDownloadQueue() = default;
    ~CDownloadQueue();
    CDownloadQueue(const CDownloadQueue&) = delete;
    CDownloadQueue& operator=(const CDownloadQueue&) = delete;

    // Creates the stop event, the semaphore and the workers, which read the RelinkTimes
    // setting as it is now. False leaves the queue stopped, without workers.
    bool Start();
    bool IsRunning() const { return !m_workers.empty(); }
    // Appends a job for the next free worker; false (the job is destroyed) when stopped.
    bool Enqueue(std::unique_ptr<WorkItemBase> item);
    // The oldest queued job, or none.
    std::unique_ptr<WorkItemBase> Dequeue();
    // Stops the workers, waiting for the jobs they run, and destroys the jobs still queued.
    void Shutdown();

    CPauseRequestList& GetPauseRequests() { return m_pauseRequests; }

    // Runs a job until it needs no further attempt; retries is the RelinkTimes setting.
    void RunJob(WorkItemBase& item, int retries);
    // Reports one attempt's result to the job's window; true asks for another attempt.
    bool ReportResult(WorkItemBase& item, int result, int detail, int& retries);

private:
    static DWORD WINAPI WorkerThreadProc(LPVOID queue);

    CScopedHandle m_stopEvent;  // manual reset: once set it wakes every worker
    CScopedHandle m_semaphore;  // one count per queued job
    std::vector<CScopedHandle> m_workers;
    int m_relinkTimes = 0;
    CCriticalSection m_lock;  // guards m_work only
    std::deque<std::unique_ptr<WorkItemBase>> m_work;
    CPauseRequestList m_pauseRequests;
};
