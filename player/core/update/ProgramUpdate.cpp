#include "db/UpgradeHelper.h"

#include <shellapi.h>

#include "common/CommonHelpers.h"
#include "update/CheckVersion.h"

bool CUpgradeHelper::CheckProgramUpdate(const CString& commandLine) const {
    return CheckProgramUpdate(commandLine, GetProgramFolder());
}

bool CUpgradeHelper::CheckProgramUpdate(const CString& /*commandLine*/, const CString& folder) const {
    CCheckVersion check(folder);
    if (IsFailedCheck(check.Check()) || !check.IsNewerVersion()) return false;
    CString updater = folder;
    AppendBackslash(updater);
    // An updater that does not start must not keep the program from starting: the
    // start-up goes on.
    HINSTANCE started =
        ShellExecuteW(nullptr, L"open", updater + L"Update\\Mendport.exe", nullptr, nullptr, SW_SHOWNORMAL);
    return (INT_PTR)started > 32;
}
