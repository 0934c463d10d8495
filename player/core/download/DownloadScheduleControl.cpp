#include "download/DownloadScheduleControl.h"

#include <algorithm>

#include "common/CommonHelpers.h"
#include "config/UserConfig.h"

CDownloadScheduleControl::CDownloadScheduleControl() {
    if (!m_queue.Start()) DebugTrace(L"The download workers could not be started; downloads are refused.\n");
    CUserConfig::GetInstance().AddObserver(this);
}

CDownloadScheduleControl::~CDownloadScheduleControl() {
    // The settings outlive the scheduler: they must not tell a destroyed observer.
    CUserConfig::GetInstance().RemoveObserver(this);
    m_queue.Shutdown();
    CSingleLock lock(&m_lock, TRUE);
    m_pending.clear();
}

bool CDownloadScheduleControl::Add(std::unique_ptr<WorkItemBase> item) {
    CSingleLock lock(&m_lock, TRUE);
    if (!IsRunning()) return false;
    m_pending.push_back(std::move(item));
    Schedule();
    return true;
}

bool CDownloadScheduleControl::Resume(std::unique_ptr<WorkItemBase> item) {
    CSingleLock lock(&m_lock, TRUE);
    if (!IsRunning()) return false;
    const DOWNLOAD_JOB_KEY key = item->GetKey();
    CPauseRequestList& requests = m_queue.GetPauseRequests();
    if (requests.Take(key) || IsPending(key) || requests.IsLive(key)) return true;
    return Add(std::move(item));
}

void CDownloadScheduleControl::Stop(const DOWNLOAD_JOB_KEY& key) {
    if (!RemovePending(key)) m_queue.GetPauseRequests().Add(key);
}

void CDownloadScheduleControl::OnJobFinished() {
    CSingleLock lock(&m_lock, TRUE);
    if (m_running > 0) --m_running;
    Schedule();
}

void CDownloadScheduleControl::OnConfigChanged(const std::vector<int>& changes) {
    if (std::find(changes.begin(), changes.end(), CONFIG_CHANGE_DOWNLOAD_NUM) != changes.end()) Schedule();
}

bool CDownloadScheduleControl::RemovePending(const DOWNLOAD_JOB_KEY& key) {
    CSingleLock lock(&m_lock, TRUE);
    for (auto job = m_pending.begin(); job != m_pending.end(); ++job) {
        if ((*job)->GetKey() == key) {
            m_pending.erase(job);
            return true;
        }
    }
    return false;
}

bool CDownloadScheduleControl::IsPending(const DOWNLOAD_JOB_KEY& key) const {
    return std::any_of(m_pending.begin(), m_pending.end(), [&](const auto& job) { return job->GetKey() == key; });
}

void CDownloadScheduleControl::Schedule() {
    CSingleLock lock(&m_lock, TRUE);
    const int limit = CUserConfig::GetInstance().GetDownloadConfig().DownloadNum;
    for (int free = limit - m_running; free > 0 && !m_pending.empty(); --free) {
        std::unique_ptr<WorkItemBase> item = std::move(m_pending.front());
        m_pending.pop_front();
        if (m_queue.Enqueue(std::move(item))) ++m_running;
    }
}
