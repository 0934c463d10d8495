#include "TempFile.h"

#include <memory>

CTempFile::CTempFile(const Bytes& bytes, LPCWSTR extension) {
    WCHAR folder[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"xof", 0, name);
    DeleteFileW(name);
    m_path = std::wstring(name) + extension;
    HANDLE file = CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

CTempFile::~CTempFile() { DeleteFileW(m_path.c_str()); }
