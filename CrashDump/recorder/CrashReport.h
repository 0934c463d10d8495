// The blocks of the crash log, written through CrashLogPrintf.
#pragma once

#include <windows.h>

// Local time as "%d/%d/%d %02d:%02d:%02d" (month, day, year; seconds in steps of two).
void FormatCrashTime(const FILETIME& localTime, char* out, int size);
void WriteSystemInfo(const char* programPath);
void WriteRegisters(const CONTEXT& context);
// The 16 bytes at the faulting instruction, "??" where one cannot be read.
void WriteCodeBytes(const void* address);
// From the context's stack pointer up to the thread's stack base, at most 12 KB.
void WriteStackDump(const CONTEXT& context);
// Every module image of the address space.
void WriteModuleList();
// False, with nothing written, when base holds no module image.
bool WriteModuleInfo(HINSTANCE base, int number);
