// Keeps the default desktop in use for a whole test run. Wine's desktop process ends
// about a second after the last program on the desktop has gone, and the next program
// that needs the desktop starts it again, handing it that program's standard error. The
// desktop process then holds the test runner's output pipe of that test until the desktop
// goes, so the runner waits for the test long after it ended. The run script starts this
// program, with its output going nowhere, before any test, and ends it afterwards.
//   desktop_keeper.exe READY-FILE   (the file is made once the desktop is held)
#include <windows.h>

#include <stdlib.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    if (__argc != 2) return 2;
    // A message-only window makes this thread a user of the desktop, and shows nothing.
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!window) return 1;
    HANDLE ready = CreateFileW(__wargv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    DestroyWindow(window);
    return 0;
}
