// The windows another process shows, for tests and benchmarks that drive a program.
#pragma once

#include <windows.h>

#include <vector>

// The visible top-level windows of a process, with that title when one is given (a
// message box has the program's name).
std::vector<HWND> WindowsOf(DWORD processId, LPCWSTR title = nullptr);
