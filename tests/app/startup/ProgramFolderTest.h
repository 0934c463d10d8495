// A scratch copy of a built program folder, with the player started from it and its
// processes ended after the test. The start-up tests copy the probe's folder (plain
// parts); the player's tests copy the real program's folder.
#pragma once

#include <afx.h>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "ProcessWindows.h"
#include "files/ScratchFolder.h"
#include "support/ProgramFolderLocks.h"

class ProgramFolder : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The built folder the scratch copy is made from, with a trailing backslash.
    virtual std::wstring SourceFolder() const;

    // Starts the program with the arguments, in the folder given (the program folder when empty).
    PROCESS_INFORMATION& Start(const std::wstring& arguments = L"", const std::wstring& folder = L"");
    // The main dialog of the process once it shows, null when it does not within the time.
    static HWND MainDialog(const PROCESS_INFORMATION& process, DWORD timeoutMs = 30000);
    static bool Ends(const PROCESS_INFORMATION& process, DWORD timeoutMs = 30000);
    // A value of "CrashConfig.ini" section "Crash Info".
    std::string IniValue(const char* key) const;

    PlayerInstanceLock instance;  // held until the programs are gone
    ScratchFolder scratch;
    std::deque<PROCESS_INFORMATION> started;  // references stay valid as it grows
};
