// The minidump of the crash, through DbgHelp bound at run time.
#pragma once

#include <windows.h>

// True when the dump was written into file. Without pointers a breakpoint is raised and
// the dump is written from inside its own filter.
bool WriteMiniDump(HANDLE file, EXCEPTION_POINTERS* pointers, BOOL fullDump);
