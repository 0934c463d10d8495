// Names the crash log gives to exception codes and to the running Windows.
#pragma once

#include <windows.h>

// "an Access Violation" and the like; "an Unknown exception type" for other codes.
const char* GetExceptionName(DWORD code);
// From the system's version fields; "unknown Windows version" when none fits.
const char* GetWindowsVersionName(DWORD platformId, DWORD major, DWORD minor, DWORD build);
// The running system's name and "%u.%u.%u" of its major, minor and build numbers.
void GetWindowsVersion(const char*& name, char* version, int versionSize);
