#include "RegistrationLock.h"

CRegistrationLock::CRegistrationLock() : m_mutex(CreateMutexW(nullptr, FALSE, L"ZemoXofSplitterRegistration")) {
    WaitForSingleObject(m_mutex, 120000);
}

CRegistrationLock::~CRegistrationLock() {
    ReleaseMutex(m_mutex);
    CloseHandle(m_mutex);
}

std::wstring PrefixPath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* c = unixPath; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}
