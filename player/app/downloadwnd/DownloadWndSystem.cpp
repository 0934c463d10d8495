#include "downloadwnd/DownloadWndSystem.h"

#include <shellapi.h>

#include "ScopedHandle.h"

namespace {

DELETE_CHOICE AskDelete(CWnd* parent, bool offerFileDeletion) {
    int answer = MessageBoxW(parent ? parent->GetSafeHwnd() : nullptr,
                             offerFileDeletion ? L"确定删除该下载记录吗？\n（连同视频文件一起删除）" : L"确定删除该下载记录吗？",
                             L"确认删除", MB_OKCANCEL | MB_ICONQUESTION);
    return {answer == IDOK, answer == IDOK && offerFileDeletion};
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
