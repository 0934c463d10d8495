// A worker thread that takes numbered commands from other threads: CallWorker hands a
// command over and waits for the worker's Reply.
#pragma once

#include "Sync.h"

#include <atomic>

class CAMThread {
public:
    CAMThread();
    virtual ~CAMThread();
    CAMThread(const CAMThread&) = delete;
    CAMThread& operator=(const CAMThread&) = delete;

    // Starts the thread; FALSE when it already runs or cannot be started.
    BOOL Create();
    BOOL ThreadExists() const { return m_thread != nullptr; }
    // Sends a command and returns the worker's reply; E_FAIL when there is no thread.
    DWORD CallWorker(DWORD command);
    // Waits for the thread to end and closes its handle.
    void Close();
    // For the worker: wait for the next command, peek at a pending one, answer it.
    DWORD GetRequest();
    BOOL CheckRequest(DWORD* command);
    void Reply(DWORD result);
    HANDLE GetThreadHandle() const { return m_thread; }

protected:
    virtual DWORD ThreadProc() = 0;

private:
    static DWORD WINAPI InitialThreadProc(LPVOID self);

    CAMEvent m_requestSent{TRUE};        // set while a command waits for its reply
    std::atomic<bool> m_pending{false};  // the same, readable without a system call
    CAMEvent m_replySent;
    DWORD m_command = 0;
    DWORD m_reply = 0;
    HANDLE m_thread = nullptr;
    CCritSec m_callerLock;  // one caller at a time
    CCritSec m_threadLock;  // guards creation and closing
};
