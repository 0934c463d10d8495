#include "CrashNames.h"

#include <shlwapi.h>

namespace {

struct EXCEPTION_NAME {
    DWORD code;
    const char* text;
};

const EXCEPTION_NAME EXCEPTION_NAMES[] = {
    {0x40010005, "a Control-C"},
    {0x40010008, "a Control-Break"},
    {0x80000002, "a Datatype Misalignment"},
    {0x80000003, "a Breakpoint"},
    {0xC0000005, "an Access Violation"},
    {0xC0000006, "an In Page Error"},
    {0xC0000017, "a No Memory"},
    {0xC000001D, "an Illegal Instruction"},
    {0xC0000025, "a Noncontinuable Exception"},
    {0xC0000026, "an Invalid Disposition"},
    {0xC000008C, "a Array Bounds Exceeded"},
    {0xC000008D, "a Float Denormal Operand"},
    {0xC000008E, "a Float Divide by Zero"},
    {0xC000008F, "a Float Inexact Result"},
    {0xC0000090, "a Float Invalid Operation"},
    {0xC0000091, "a Float Overflow"},
    {0xC0000092, "a Float Stack Check"},
    {0xC0000093, "a Float Underflow"},
    {0xC0000094, "an Integer Divide by Zero"},
    {0xC0000095, "an Integer Overflow"},
    {0xC0000096, "a Privileged Instruction"},
    {0xC00000FD, "a Stack Overflow"},
    {0xC0000142, "a DLL Initialization Failed"},
    {0xE06D7363, "a Microsoft C++ Exception"},
};

const char* Windows9xName(DWORD minor, DWORD build) {
    if (minor < 10) {
        if (build <= 950) return "Windows 95";
        return build <= 1080 ? "Windows 95 SP1" : "Windows 95 OSR2";
    }
    if (minor == 10) {
        if (build <= 1998) return "Windows 98";
        return build <= 2182 ? "Windows 98 SP1" : "Windows 98 SE";
    }
    if (minor == 90) return "Windows ME";
    return nullptr;
}

const char* WindowsNtName(DWORD major, DWORD minor) {
    if (major == 3 && minor == 51) return "Windows NT 3.51";
    if (major == 4 && minor == 0) return "Windows NT 4";
    if (major == 5 && minor == 0) return "Windows 2000";
    if (major == 5 && minor == 1) return "Windows XP";
    if (major == 5 && minor == 2) return "Windows 2003 Server";
    return nullptr;
}

}  // namespace

const char* GetExceptionName(DWORD code) {
    for (const EXCEPTION_NAME& name : EXCEPTION_NAMES)
        if (name.code == code) return name.text;
    return "an Unknown exception type";
}

const char* GetWindowsVersionName(DWORD platformId, DWORD major, DWORD minor, DWORD build) {
    const char* name = nullptr;
    if (platformId == VER_PLATFORM_WIN32_WINDOWS && major == 4)
        name = Windows9xName(minor, build & 0xFFFF);
    else if (platformId == VER_PLATFORM_WIN32_NT)
        name = WindowsNtName(major, minor);
    else if (platformId == 3)
        name = "Windows CE";  // VER_PLATFORM_WIN32_CE
    return name ? name : "unknown Windows version";
}

void GetWindowsVersion(const char*& name, char* version, int versionSize) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExA(&info)) info = {};
    name = GetWindowsVersionName(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
    wnsprintfA(version, versionSize, "%u.%u.%u", info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber & 0xFFFF);
}
