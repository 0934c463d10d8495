#include "download/ScriptedJob.h"

#include <stdexcept>

#include "download/PauseRequestList.h"

namespace {
constexpr DWORD kPausePoll = 5;
constexpr DWORD kHoldLimit = 30000;
}  // namespace

JobProbe::JobProbe()
    : started(CreateEventW(nullptr, TRUE, FALSE, nullptr)), release(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

bool JobProbe::WaitStarted(DWORD timeoutMs) const {
    return WaitForSingleObject(started.Get(), timeoutMs) == WAIT_OBJECT_0;
}

ScriptedJob::ScriptedJob(int fileId, const CString& userName, std::vector<JobStep> steps,
                         std::shared_ptr<JobProbe> probe, CWnd* window)
    : m_fileId(fileId), m_userName(userName), m_steps(std::move(steps)), m_probe(std::move(probe)), m_window(window) {}

ScriptedJob::~ScriptedJob() { m_probe->destroyed = true; }

CString ScriptedJob::GetFilePath() const {
    CString path;
    path.Format(L"C:\\videos\\%d.xof", m_fileId);
    return path;
}

int ScriptedJob::DoWork(DOWNLOAD_JOB_CONTEXT& context) {
    int attempt = m_probe->attempts++;
    const JobStep& step = m_steps[std::min<size_t>(attempt, m_steps.size() - 1)];
    SetEvent(m_probe->started.Get());
    if (step.Hold) {
        // Bounded, so a test that forgets to release cannot hang the run.
        for (DWORD waited = 0; WaitForSingleObject(m_probe->release.Get(), kPausePoll) == WAIT_TIMEOUT;
             waited += kPausePoll) {
            if (step.PollPause && context.PauseRequests->Take(GetKey())) return DOWNLOAD_ERR_PAUSED;
            if (waited > kHoldLimit) break;
        }
        if (step.PollPause && context.PauseRequests->Take(GetKey())) return DOWNLOAD_ERR_PAUSED;
    }
    if (step.Throw) throw std::runtime_error("job failed");
    *context.Detail = step.Detail;
    return step.Result;
}
