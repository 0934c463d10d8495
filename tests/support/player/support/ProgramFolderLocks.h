// Named mutexes that order the test processes, which run at once, around the files
// they share in the program folder: "ovraCfg.ini", which tests rewrite, and
// "zemo.db3", which every process's facade saves into when the process ends. Each
// program folder has mutexes of its own, so test programs in other folders never wait.
#pragma once

#include <windows.h>

#include "common/CommonHelpers.h"

class ProgramFolderLock {
public:
    explicit ProgramFolderLock(const wchar_t* name) : m_mutex(CreateMutexW(nullptr, FALSE, InThisFolder(name))) {
        DWORD wait = WaitForSingleObject(m_mutex, 120000);
        // A process that ended while holding the mutex leaves it abandoned, and so ours.
        m_owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
    ~ProgramFolderLock() {
        if (m_owned) ReleaseMutex(m_mutex);
        CloseHandle(m_mutex);
    }
    ProgramFolderLock(const ProgramFolderLock&) = delete;
    ProgramFolderLock& operator=(const ProgramFolderLock&) = delete;

private:
    // Mutex names take no backslash.
    static CString InThisFolder(const wchar_t* name) {
        CString folder = GetProgramFolder();
        folder.Replace(L'\\', L'/');
        return CString(name) + L" " + folder;
    }

    HANDLE m_mutex;
    bool m_owned = false;
};

// Held while a test owns the program folder's "ovraCfg.ini".
struct ServiceConfigLock : ProgramFolderLock {
    ServiceConfigLock() : ProgramFolderLock(L"ZemoTestsOvraCfg") {}
};

// Held while a test uses the program folder's database, and by every process from the
// end of its tests until it has ended, so that its facade's saving at exit never falls
// into such a test.
struct ProgramDatabaseLock : ProgramFolderLock {
    ProgramDatabaseLock() : ProgramFolderLock(L"ZemoTestsProgramDatabase") {}
};
