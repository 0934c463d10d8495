#include "downloadwnd/DownloadWndSystem.h"

#include <shellapi.h>

#include "ScopedHandle.h"
#include "dialog/DlgDeleteConfirm.h"

namespace {

DELETE_CHOICE AskDelete(CWnd* parent, bool offerFileDeletion) {
    CDlgDeleteConfirm dialog(offerFileDeletion, parent);
    bool confirmed = dialog.DoModal() == IDOK;
    return {confirmed, confirmed && dialog.m_bDeleteFile};
}

}  // namespace

DOWNLOAD_WND_SYSTEM& DownloadWndSystem() {
    static DOWNLOAD_WND_SYSTEM system = {&::ExitWindowsEx, &::ShellExecuteW, &AskDelete};
    return system;
}

void ShutdownWindows() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
    CScopedHandle owned(token);
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    DownloadWndSystem().ExitSession(EWX_SHUTDOWN | EWX_FORCE, 0);
}
