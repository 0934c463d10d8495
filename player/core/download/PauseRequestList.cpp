#include "download/PauseRequestList.h"

#include <algorithm>

namespace {

// Removes the first key equal to the given one; false when there is none.
bool RemoveFirst(std::vector<DOWNLOAD_JOB_KEY>& keys, const DOWNLOAD_JOB_KEY& key) {
    auto found = std::find(keys.begin(), keys.end(), key);
    if (found == keys.end()) return false;
    keys.erase(found);
    return true;
}

bool Contains(const std::vector<DOWNLOAD_JOB_KEY>& keys, const DOWNLOAD_JOB_KEY& key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

void CPauseRequestList::Add(const DOWNLOAD_JOB_KEY& key) {
    CSingleLock lock(&m_lock, TRUE);
    if (Contains(m_liveJobs, key) && !Contains(m_requests, key)) m_requests.push_back(key);
}

bool CPauseRequestList::Take(const DOWNLOAD_JOB_KEY& key) {
    CSingleLock lock(&m_lock, TRUE);
    return RemoveFirst(m_requests, key);
}

bool CPauseRequestList::IsLive(const DOWNLOAD_JOB_KEY& key) {
    CSingleLock lock(&m_lock, TRUE);
    return Contains(m_liveJobs, key);
}

void CPauseRequestList::JobQueued(const DOWNLOAD_JOB_KEY& key) {
    CSingleLock lock(&m_lock, TRUE);
    m_liveJobs.push_back(key);
}

void CPauseRequestList::JobEnded(const DOWNLOAD_JOB_KEY& key) {
    CSingleLock lock(&m_lock, TRUE);
    RemoveFirst(m_liveJobs, key);
    if (!Contains(m_liveJobs, key)) RemoveFirst(m_requests, key);
}
