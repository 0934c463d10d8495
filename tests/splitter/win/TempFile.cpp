#include "TempFile.h"

CTempFile::CTempFile(const Bytes& bytes, LPCWSTR extension) {
    WCHAR folder[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    // The empty file the system creates stays until the end: it keeps its name, and so
    // ours, from every other test process running at the same time.
    if (GetTempFileNameW(folder, L"xof", 0, name) == 0) return;
    m_reserved = name;
    m_path = m_reserved + extension;
    HANDLE file = CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

CTempFile::~CTempFile() {
    DeleteFileW(m_path.c_str());
    DeleteFileW(m_reserved.c_str());
}
