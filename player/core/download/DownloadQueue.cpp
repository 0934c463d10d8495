#include "download/DownloadQueue.h"

#include <afxwin.h>

#include "download/DownloadMessages.h"
#include "config/UserConfig.h"
#include "common/WindowMessages.h"

namespace {

// One attempt; a job that throws ends as DOWNLOAD_ERR_UNKNOWN, so it is still reported.
int Attempt(WorkItemBase& item, DOWNLOAD_JOB_CONTEXT& context) {
    try {
        return item.DoWork(context);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return DOWNLOAD_ERR_UNKNOWN;
}

std::unique_ptr<DOWNLOAD_ERROR_INFO> Error(int kind, int detail) {
    return std::make_unique<DOWNLOAD_ERROR_INFO>(kind, detail);
}

}  // namespace

CDownloadQueue::~CDownloadQueue() { Shutdown(); }

bool CDownloadQueue::Start() {
    if (IsRunning()) return true;
    m_relinkTimes = CUserConfig::GetInstance().GetDownloadConfig().RelinkTimes;
    m_semaphore = CScopedHandle(CreateSemaphoreW(nullptr, 0, 0x7FFFFFFF, nullptr));
    m_stopEvent = CScopedHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_semaphore || !m_stopEvent) {
        Shutdown();
        return false;
    }
    m_workers.reserve(WORKER_COUNT);
    for (int i = 0; i < WORKER_COUNT; ++i) {
        CScopedHandle thread(CreateThread(nullptr, 0, WorkerThreadProc, this, 0, nullptr));
        if (!thread) {
            Shutdown();
            return false;
        }
        SetThreadPriority(thread.Get(), THREAD_PRIORITY_NORMAL);
        m_workers.push_back(std::move(thread));
    }
    return true;
}

bool CDownloadQueue::Enqueue(std::unique_ptr<WorkItemBase> item) {
    if (!IsRunning()) return false;
    m_pauseRequests.JobQueued(item->GetKey());
    {
        CSingleLock lock(&m_lock, TRUE);
        m_work.push_back(std::move(item));
    }
    ReleaseSemaphore(m_semaphore.Get(), 1, nullptr);
    return true;
}

std::unique_ptr<WorkItemBase> CDownloadQueue::Dequeue() {
    CSingleLock lock(&m_lock, TRUE);
    if (m_work.empty()) return nullptr;
    std::unique_ptr<WorkItemBase> item = std::move(m_work.front());
    m_work.pop_front();
    return item;
}

void CDownloadQueue::Shutdown() {
    if (m_stopEvent) SetEvent(m_stopEvent.Get());
    std::vector<HANDLE> threads;
    for (const CScopedHandle& worker : m_workers) threads.push_back(worker.Get());
    if (!threads.empty()) WaitForMultipleObjects((DWORD)threads.size(), threads.data(), TRUE, INFINITE);
    m_workers.clear();
    {
        CSingleLock lock(&m_lock, TRUE);
        m_work.clear();
    }
    m_semaphore.Close();
    m_stopEvent.Close();
}

DWORD WINAPI CDownloadQueue::WorkerThreadProc(LPVOID parameter) {
    CDownloadQueue& queue = *static_cast<CDownloadQueue*>(parameter);
    // The stop event comes first, so it wins when both are signalled.
    HANDLE waits[2] = {queue.m_stopEvent.Get(), queue.m_semaphore.Get()};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        std::unique_ptr<WorkItemBase> item = queue.Dequeue();
        if (item) queue.RunJob(*item, queue.m_relinkTimes);
    }
    return 0;
}

void CDownloadQueue::RunJob(WorkItemBase& item, int retries) {
    int detail = 0;
    DOWNLOAD_JOB_CONTEXT context{&m_pauseRequests, &detail};
    for (;;) {
        int result = Attempt(item, context);
        if (!ReportResult(item, result, detail, retries)) return;
    }
}

bool CDownloadQueue::ReportResult(WorkItemBase& item, int result, int detail, int& retries) {
    auto key = std::make_unique<DOWNLOAD_JOB_KEY>(item.GetKey());
    if (result == DOWNLOAD_ERR_CONNECT && --retries > 0) {
        // A job asked to stop while it reconnects stops before the next attempt.
        if (!m_pauseRequests.Take(*key)) return true;
        result = DOWNLOAD_ERR_PAUSED;
    }
    m_pauseRequests.JobEnded(*key);
    CWnd* window = item.GetWindow();
    HWND hwnd = window ? window->GetSafeHwnd() : nullptr;
    switch (result) {
        case DOWNLOAD_ERR_NONE:
            PostJobMessage(hwnd, WM_DOWNLOAD_COMPLETE, std::move(key), 0);
            break;
        case DOWNLOAD_ERR_PAUSED:
            PostJobMessage(hwnd, WM_DOWNLOAD_PAUSED, std::move(key), Error(DOWNLOAD_ERR_PAUSED, 0));
            break;
        case DOWNLOAD_ERR_CONNECT:
            PostJobMessage(hwnd, WM_DOWNLOAD_CONNECT_FAILED, std::move(key), Error(DOWNLOAD_ERR_CONNECT, detail));
            break;
        case DOWNLOAD_ERR_CREATE_FILE:
        case DOWNLOAD_ERR_WRITE_FILE:
            PostJobMessage(hwnd, WM_DOWNLOAD_FAILED, std::move(key), Error(result, detail));
            break;
        default:
            PostJobMessage(hwnd, WM_DOWNLOAD_FAILED, std::move(key), Error(DOWNLOAD_ERR_UNKNOWN, detail));
            break;
    }
    return false;
}
