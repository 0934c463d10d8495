// A named mutex held while the object lives, for test processes that run at once and
// share something outside themselves (a file, a pipe name).
#pragma once

#include <windows.h>

class NamedMutexLock {
public:
    explicit NamedMutexLock(const wchar_t* name) : m_mutex(CreateMutexW(nullptr, FALSE, name)) {
        DWORD wait = WaitForSingleObject(m_mutex, 120000);
        // A process that ended while holding the mutex leaves it abandoned, and so ours.
        m_owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
    ~NamedMutexLock() {
        if (m_owned) ReleaseMutex(m_mutex);
        CloseHandle(m_mutex);
    }
    NamedMutexLock(const NamedMutexLock&) = delete;
    NamedMutexLock& operator=(const NamedMutexLock&) = delete;

private:
    HANDLE m_mutex;
    bool m_owned = false;
};
