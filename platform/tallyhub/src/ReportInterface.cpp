#include "ReportInterface.h"

#include <windows.h>

#include "UsageReporter.h"
#include "Utf8Text.h"

namespace {

constexpr DWORD kUrlChars = 1024;

std::wstring DefaultConfigFile() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       (LPCWSTR)&DefaultConfigFile, &self);
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    std::wstring file(path);
    return file.substr(0, file.find_last_of(L'\\') + 1) + L"Tallyhub.ini";
}

std::wstring ReadReportUrl(const std::wstring& configFile) {
    wchar_t url[kUrlChars] = {};
    if (!configFile.empty()) GetPrivateProfileStringW(L"Report", L"Url", L"", url, kUrlChars, configFile.c_str());
    return url;
}

// No exception may leave the library; what cannot be recorded is not reported.
template <typename Action>
void Guarded(Action action) noexcept {
    try {
        action();
    } catch (...) {
    }
}

}  // namespace

CReportInterface::CReportInterface() : CReportInterface(DefaultConfigFile()) {}

CReportInterface::CReportInterface(const std::wstring& configFile) : m_pReporter(nullptr) {
    Guarded([&] { m_pReporter = new CUsageReporter(ReadReportUrl(configFile)); });
}

CReportInterface::~CReportInterface() { delete m_pReporter; }

void CReportInterface::Init(int productId, const std::wstring& productVersion, int intervalMs) {
    if (m_pReporter) Guarded([&] { m_pReporter->Start(productId, EncodeUtf8(productVersion), intervalMs); });
}

void CReportInterface::AppendUserName(const std::wstring& userName) {
    if (m_pReporter) Guarded([&] { m_pReporter->AddUser(EncodeUtf8(userName)); });
}

void CReportInterface::AddModuleCount(int count) {
    if (m_pReporter) Guarded([&] { m_pReporter->AddModules(count); });
}
