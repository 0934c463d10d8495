// Synchronisation classes of the class library subset.
#pragma once

#include "afx.h"

// A critical section; the same thread may enter it again.
class CCriticalSection {
public:
    CCriticalSection() { InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() { DeleteCriticalSection(&m_sect); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    BOOL Lock() {
        EnterCriticalSection(&m_sect);
        return TRUE;
    }
    BOOL Unlock() {
        LeaveCriticalSection(&m_sect);
        return TRUE;
    }

    CRITICAL_SECTION m_sect;
};

// Holds a critical section from construction (with initialLock) to destruction.
class CSingleLock {
public:
    explicit CSingleLock(CCriticalSection* section, BOOL initialLock = FALSE) : m_pSection(section) {
        if (initialLock) Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock() {
        if (!m_bAcquired) m_bAcquired = m_pSection->Lock();
        return m_bAcquired;
    }
    BOOL Unlock() {
        if (m_bAcquired) m_bAcquired = !m_pSection->Unlock();
        return !m_bAcquired;
    }

private:
    CCriticalSection* m_pSection;
    BOOL m_bAcquired = FALSE;
};
