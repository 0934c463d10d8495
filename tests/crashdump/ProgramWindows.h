// The windows of a program running in another process, found, read and driven from the
// test as a user would: posted mouse clicks, texts as shown, list rows read through the
// program's own memory.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A visible top-level window with that caption of a process running programPath; waits at
// most timeoutMs, null when none appeared.
HWND WaitForProgramWindow(const std::wstring& programPath, const std::wstring& caption, DWORD timeoutMs = 20000);
// Waits at most timeoutMs until the window is gone; false when it stays.
bool WaitUntilGone(HWND window, DWORD timeoutMs = 10000);
// The process of the window, opened to be waited for and ended (the caller closes it).
HANDLE OpenWindowProcess(HWND window);

std::wstring WindowText(HWND window);
// The texts of a message box's static controls, one after the other.
std::wstring BoxText(HWND box);
// A left click on the window's control with that id: button down and up at its centre.
void ClickControl(HWND window, int id);

// The list view's column headings.
std::vector<std::wstring> ListColumns(HWND list);
// Each row's cells, as many as the list has columns.
std::vector<std::vector<std::wstring>> ListRows(HWND list);

// A PNG of the window as it shows on the screen, brought to the top first.
bool SaveWindowPicture(HWND window, const std::wstring& path);
// The test program's folder for screenshots ("artifacts\" beside it), made when missing.
std::wstring ArtifactsFolder();
