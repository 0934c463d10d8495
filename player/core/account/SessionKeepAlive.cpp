#include "account/SessionKeepAlive.h"

bool CSessionKeepAlive::Send(const CString& url) {
    if (m_busy.exchange(true)) return false;
    if (m_worker.joinable()) m_worker.join();  // finished: its flag is down
    m_worker = std::thread([this, url] {
        m_sender(url);
        m_busy.store(false);
    });
    return true;
}

void CSessionKeepAlive::Wait() {
    if (m_worker.joinable()) m_worker.join();
}
