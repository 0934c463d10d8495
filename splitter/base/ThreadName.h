// Names a thread for a debugger; without one attached it has no effect.
#pragma once

#include <windows.h>

// threadId (DWORD)-1 names the calling thread.
void SetDebuggerThreadName(DWORD threadId, LPCSTR name);
