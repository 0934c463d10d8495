// What the download window asks of the system and of the user outside its page, each
// through one replaceable function: tests put their own in place of them (the real
// ExitWindowsEx ends every process of the session).
#pragma once

#include <afxwin.h>

struct DELETE_CHOICE {
    bool Confirmed;   // OK was chosen
    bool DeleteFile;  // with the file option: the video file goes too
};

struct DOWNLOAD_WND_SYSTEM {
    BOOL(WINAPI* ExitSession)(UINT flags, DWORD reason);
    HINSTANCE(WINAPI* OpenWithShell)(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR folder, INT show);
    // The delete confirmation; offerFileDeletion adds the choice to delete the video file.
    DELETE_CHOICE (*ConfirmDelete)(CWnd* parent, bool offerFileDeletion);
};

// The functions in use; the system's own until replaced.
DOWNLOAD_WND_SYSTEM& DownloadWndSystem();

// Enables the shut-down privilege of the process and shuts Windows down, forced;
// nothing when the process token cannot be opened.
void ShutdownWindows();
