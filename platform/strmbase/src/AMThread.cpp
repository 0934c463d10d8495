#include "AMThread.h"

CAMThread::CAMThread() = default;

CAMThread::~CAMThread() { Close(); }

BOOL CAMThread::Create() {
    CAutoLock lock(&m_threadLock);
    if (m_thread) return FALSE;
    m_requestSent.Reset();
    m_thread = CreateThread(nullptr, 0, &CAMThread::InitialThreadProc, this, 0, nullptr);
    return m_thread != nullptr;
}

DWORD WINAPI CAMThread::InitialThreadProc(LPVOID self) { return static_cast<CAMThread*>(self)->ThreadProc(); }

DWORD CAMThread::CallWorker(DWORD command) {
    CAutoLock lock(&m_callerLock);
    if (!ThreadExists()) return static_cast<DWORD>(E_FAIL);
    m_command = command;
    m_pending = true;
    m_requestSent.Set();
    // The worker may also end without replying (a thread procedure that returned).
    HANDLE waits[] = {m_replySent, m_thread};
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
        m_pending = false;
        m_requestSent.Reset();
        return static_cast<DWORD>(E_FAIL);
    }
    return m_reply;
}

void CAMThread::Close() {
    CAutoLock lock(&m_threadLock);
    if (!m_thread) return;
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    m_thread = nullptr;
}

DWORD CAMThread::GetRequest() {
    m_requestSent.Wait();
    return m_command;
}

BOOL CAMThread::CheckRequest(DWORD* command) {
    // Asked between every two packets: the flag spares a system call.
    if (!m_pending || WaitForSingleObject(m_requestSent, 0) != WAIT_OBJECT_0) return FALSE;
    if (command) *command = m_command;
    return TRUE;
}

void CAMThread::Reply(DWORD result) {
    m_reply = result;
    m_pending = false;
    m_requestSent.Reset();
    m_replySent.Set();
}
