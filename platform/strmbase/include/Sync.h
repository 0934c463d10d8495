// Critical sections, scoped locks and events with RAII ownership of their handles.
#pragma once

#include <windows.h>

class CCritSec {
public:
    CCritSec() { InitializeCriticalSection(&m_section); }
    ~CCritSec() { DeleteCriticalSection(&m_section); }
    CCritSec(const CCritSec&) = delete;
    CCritSec& operator=(const CCritSec&) = delete;

    void Lock() { EnterCriticalSection(&m_section); }
    void Unlock() { LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION m_section;
};

class CAutoLock {
public:
    explicit CAutoLock(CCritSec* lock) : m_lock(lock) { m_lock->Lock(); }
    ~CAutoLock() { m_lock->Unlock(); }
    CAutoLock(const CAutoLock&) = delete;
    CAutoLock& operator=(const CAutoLock&) = delete;

private:
    CCritSec* m_lock;
};

// A scoped exclusive hold of a slim lock of the process: no system call unless
// another thread holds it.
class CSrwAutoLock {
public:
    explicit CSrwAutoLock(SRWLOCK* lock) : m_lock(lock) { AcquireSRWLockExclusive(m_lock); }
    ~CSrwAutoLock() { ReleaseSRWLockExclusive(m_lock); }
    CSrwAutoLock(const CSrwAutoLock&) = delete;
    CSrwAutoLock& operator=(const CSrwAutoLock&) = delete;

private:
    SRWLOCK* m_lock;
};

class CAMEvent {
public:
    explicit CAMEvent(BOOL manualReset = FALSE) : m_event(CreateEventW(nullptr, manualReset, FALSE, nullptr)) {}
    ~CAMEvent() {
        if (m_event) CloseHandle(m_event);
    }
    CAMEvent(const CAMEvent&) = delete;
    CAMEvent& operator=(const CAMEvent&) = delete;

    void Set() { SetEvent(m_event); }
    void Reset() { ResetEvent(m_event); }
    BOOL Wait(DWORD timeout = INFINITE) { return WaitForSingleObject(m_event, timeout) == WAIT_OBJECT_0; }
    // A zero-time wait: for an auto-reset event a TRUE result also resets it.
    BOOL Check() { return Wait(0); }
    operator HANDLE() const { return m_event; }

private:
    HANDLE m_event;
};
