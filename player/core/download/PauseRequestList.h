// Requests that a queued or running job stop, matched by the job's key.
// The list also knows which jobs are queued or running, so a request never outlives
// its job: a request for a job that is not there is not kept, and the end of a job
// takes its request with it. A later start of the same task is therefore never
// mistaken for the job that was asked to stop.
#pragma once

#include <afxmt.h>

#include <vector>

#include "download/DownloadRecords.h"

class CPauseRequestList {
public:
    // Records a request unless an equal one is there or no job with the key is live.
    void Add(const DOWNLOAD_JOB_KEY& key);
    // Removes the request for the key; false when there is none.
    bool Take(const DOWNLOAD_JOB_KEY& key);

    // True while a job with the key is queued or running.
    bool IsLive(const DOWNLOAD_JOB_KEY& key);
    // A job with the key was handed to the work queue.
    void JobQueued(const DOWNLOAD_JOB_KEY& key);
    // A job with the key ended; when no other job with it is live, its request goes too.
    void JobEnded(const DOWNLOAD_JOB_KEY& key);

private:
    CCriticalSection m_lock;
    std::vector<DOWNLOAD_JOB_KEY> m_requests;
    std::vector<DOWNLOAD_JOB_KEY> m_liveJobs;  // one entry per queued or running job
};
