// The crash recorder: called once from the exception filter of the program's guard, it
// writes a crash log and a minidump beside the program (or into the folders that
// "CrashConfig.ini" names), records their names in that file and starts "Quillpost.exe".
#pragma once

#include <windows.h>

// Returns 0 (go on searching for a handler). Only the first call in a process does anything.
int RecordCrash(EXCEPTION_POINTERS* pointers, const char* where, BOOL fullDump);
