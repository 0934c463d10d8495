// Named mutexes that order the test processes, which run at once, around the files
// they share in the program folder: "ovraCfg.ini", which tests rewrite, and
// "zemo.db3", which every process's facade saves into when the process ends. Each
// program folder has mutexes of its own, so test programs in other folders never wait.
#pragma once

#include <windows.h>

#include "common/CommonHelpers.h"
#include "files/NamedMutexLock.h"

class ProgramFolderLock : public NamedMutexLock {
public:
    explicit ProgramFolderLock(const wchar_t* name) : NamedMutexLock(InThisFolder(name)) {}

private:
    // Mutex names take no backslash.
    static CString InThisFolder(const wchar_t* name) {
        CString folder = GetProgramFolder();
        folder.Replace(L'\\', L'/');
        return CString(name) + L" " + folder;
    }
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

// Held while a test runs a player program: the player's single-instance pipe has one name
// on the machine, so a second program running at once would hand over to the first.
struct PlayerInstanceLock : NamedMutexLock {
    PlayerInstanceLock() : NamedMutexLock(L"ZemoTestsPlayerInstance") {}
};
