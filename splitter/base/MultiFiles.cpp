#include "MultiFiles.h"

CMultiFiles::~CMultiFiles() { CMultiFiles::Close(); }

bool CMultiFiles::Open(LPCWSTR name) {
    Close();
    m_names.assign(1, name);
    m_file = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    m_openPart = m_file != INVALID_HANDLE_VALUE ? 0 : -1;
    return m_file != INVALID_HANDLE_VALUE;
}

LONGLONG CMultiFiles::Seek(LONGLONG offset, DWORD origin) {
    LARGE_INTEGER distance, position;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(m_file, distance, &position, origin)) return -1;
    return position.QuadPart;
}

LONGLONG CMultiFiles::GetLength() {
    LARGE_INTEGER size;
    return GetFileSizeEx(m_file, &size) ? size.QuadPart : -1;
}

LONGLONG CMultiFiles::Read(void* buffer, DWORD count) {
    DWORD read = 0;
    return ReadFile(m_file, buffer, count, &read, nullptr) ? static_cast<LONGLONG>(read) : -1;
}

void CMultiFiles::Close() {
    if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    m_openPart = -1;
    m_names.clear();
}
