#include "FailedInstall.h"

#include <windows.h>

#include <cwchar>

namespace {

constexpr unsigned long long kHoldBackSeconds = 24 * 60 * 60;
constexpr DWORD kValueChars = 64;

std::wstring RecordFile(const std::wstring& clientFolder) { return clientFolder + L"Failed.ini"; }

unsigned long long NowSeconds() {
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    return (((unsigned long long)now.dwHighDateTime << 32) | now.dwLowDateTime) / 10000000;
}

std::wstring ReadValue(const std::wstring& file, const wchar_t* key) {
    wchar_t value[kValueChars] = {};
    GetPrivateProfileStringW(L"failed", key, L"", value, kValueChars, file.c_str());
    return value;
}

}  // namespace

void RecordFailedInstall(const std::wstring& clientFolder, const std::string& version) {
    const std::wstring file = RecordFile(clientFolder);
    // Versions are ASCII.
    WritePrivateProfileStringW(L"failed", L"version", std::wstring(version.begin(), version.end()).c_str(),
                               file.c_str());
    WritePrivateProfileStringW(L"failed", L"time", std::to_wstring(NowSeconds()).c_str(), file.c_str());
}

void ForgetFailedInstall(const std::wstring& clientFolder) { DeleteFileW(RecordFile(clientFolder).c_str()); }

bool IsHeldBack(const std::wstring& clientFolder, const std::string& version) {
    const std::wstring file = RecordFile(clientFolder);
    if (version.empty() || ReadValue(file, L"version") != std::wstring(version.begin(), version.end())) return false;
    std::wstring timeText = ReadValue(file, L"time");
    wchar_t* end = nullptr;
    unsigned long long failedAt = wcstoull(timeText.c_str(), &end, 10);
    if (timeText.empty() || *end) return false;
    unsigned long long now = NowSeconds();
    // A clock set back counts as the day being over.
    return failedAt <= now && now - failedAt < kHoldBackSeconds;
}
