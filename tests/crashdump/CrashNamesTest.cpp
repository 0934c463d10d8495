#include <gtest/gtest.h>

#include "CrashNames.h"

namespace {

TEST(CrashNames, ExceptionCodes) {
    const struct {
        DWORD code;
        const char* name;
    } cases[] = {
        {0x40010005, "a Control-C"},
        {0x80000003, "a Breakpoint"},
        {0xC0000005, "an Access Violation"},
        {0xC000008C, "a Array Bounds Exceeded"},
        {0xC0000094, "an Integer Divide by Zero"},
        {0xC00000FD, "a Stack Overflow"},
        {0xC0000142, "a DLL Initialization Failed"},
        {0xE06D7363, "a Microsoft C++ Exception"},
        {0xC0000004, "an Unknown exception type"},
        {0, "an Unknown exception type"},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.name, GetExceptionName(c.code)) << std::hex << c.code;
}

TEST(CrashNames, WindowsVersions) {
    const DWORD W9X = VER_PLATFORM_WIN32_WINDOWS, NT = VER_PLATFORM_WIN32_NT;
    const struct {
        DWORD platform, major, minor, build;
        const char* name;
    } cases[] = {
        {W9X, 4, 0, 950, "Windows 95"},
        {W9X, 4, 0, 951, "Windows 95 SP1"},
        {W9X, 4, 0, 1080, "Windows 95 SP1"},
        {W9X, 4, 0, 1081, "Windows 95 OSR2"},
        {W9X, 4, 0, 0x04000000 | 1111, "Windows 95 OSR2"},  // the build's high word holds the version
        {W9X, 4, 10, 1998, "Windows 98"},
        {W9X, 4, 10, 1999, "Windows 98 SP1"},
        {W9X, 4, 10, 2182, "Windows 98 SP1"},
        {W9X, 4, 10, 2183, "Windows 98 SE"},
        {W9X, 4, 90, 3000, "Windows ME"},
        {W9X, 4, 50, 3000, "unknown Windows version"},
        {W9X, 5, 0, 950, "unknown Windows version"},
        {NT, 3, 51, 1057, "Windows NT 3.51"},
        {NT, 4, 0, 1381, "Windows NT 4"},
        {NT, 5, 0, 2195, "Windows 2000"},
        {NT, 5, 1, 2600, "Windows XP"},
        {NT, 5, 2, 3790, "Windows 2003 Server"},
        {NT, 6, 1, 7601, "unknown Windows version"},
        {3, 2, 0, 0, "Windows CE"},
        {0, 4, 0, 950, "unknown Windows version"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.name, GetWindowsVersionName(c.platform, c.major, c.minor, c.build))
            << c.platform << " " << c.major << "." << c.minor << "." << c.build;
}

TEST(CrashNames, RunningSystemGivesItsNumbers) {
    OSVERSIONINFOA info = {sizeof(info)};
    ASSERT_TRUE(GetVersionExA(&info));
    const char* name = nullptr;
    char version[40];
    GetWindowsVersion(name, version, sizeof(version));
    EXPECT_STREQ(GetWindowsVersionName(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber),
                 name);
    EXPECT_EQ(std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion) + "." +
                  std::to_string(info.dwBuildNumber & 0xFFFF),
              version);
}

}  // namespace
