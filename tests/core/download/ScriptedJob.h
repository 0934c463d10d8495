// A download job for the tests of the queue and the scheduler: it returns scripted
// results, can hold its worker until released (stopping early on a pause request, as
// a transfer does) and reports what happened to it through a probe the test keeps.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "ScopedHandle.h"
#include "download/WorkItemBase.h"

struct JobProbe {
    JobProbe();
    // Waits until the job's attempt has begun; false after the time-out.
    bool WaitStarted(DWORD timeoutMs = 10000) const;
    void Release() const { SetEvent(release.Get()); }

    std::atomic<int> attempts{0};
    std::atomic<bool> destroyed{false};
    CScopedHandle started;  // manual reset: set by the first attempt
    CScopedHandle release;  // manual reset: lets a holding job end
};

// What an attempt does: returns Result (after storing Detail) or throws. A holding
// attempt first waits for the release; with PollPause it stops on a pause request
// meanwhile and once more after the release, as a transfer does before each read.
struct JobStep {
    int Result;
    int Detail = 0;
    bool Hold = false;
    bool Throw = false;
    bool PollPause = true;
};

class ScriptedJob : public WorkItemBase {
public:
    // The last step repeats for every further attempt.
    ScriptedJob(int fileId, const CString& userName, std::vector<JobStep> steps, std::shared_ptr<JobProbe> probe,
                CWnd* window);
    ~ScriptedJob() override;

    int DoWork(DOWNLOAD_JOB_CONTEXT& context) override;
    int GetFileId() const override { return m_fileId; }
    CString GetUserName() const override { return m_userName; }
    CString GetFilePath() const override;
    CWnd* GetWindow() const override { return m_window; }

private:
    int m_fileId;
    CString m_userName;
    std::vector<JobStep> m_steps;
    std::shared_ptr<JobProbe> m_probe;
    CWnd* m_window;
};
