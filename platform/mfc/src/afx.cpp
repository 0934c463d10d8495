#include "afx.h"

#include "afxmessage.h"

BOOL CException::GetErrorMessage(LPTSTR text, UINT maxLength, PUINT helpContext) const {
    if (helpContext) *helpContext = 0;
    if (text && maxLength) *text = 0;
    return FALSE;
}

BOOL CFileException::GetErrorMessage(LPTSTR text, UINT maxLength, PUINT helpContext) const {
    if (helpContext) *helpContext = 0;
    return AfxCopyErrorText(AfxErrorText((DWORD)m_lOsError, nullptr, _T("error %lu")), text, maxLength);
}

CFile::CFile(LPCTSTR fileName, UINT openFlags) {
    CFileException* error = new CFileException(0, fileName);
    if (!Open(fileName, openFlags, error)) throw error;
    delete error;
}

CFile::~CFile() {
    if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
}

BOOL CFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error) {
    Close();
    DWORD access = GENERIC_READ;
    switch (openFlags & 3) {
        case modeWrite:
            access = GENERIC_WRITE;
            break;
        case modeReadWrite:
            access = GENERIC_READ | GENERIC_WRITE;
            break;
    }
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    switch (openFlags & 0x70) {
        case shareExclusive:
            share = 0;
            break;
        case shareDenyWrite:
            share = FILE_SHARE_READ;
            break;
        case shareDenyRead:
            share = FILE_SHARE_WRITE;
            break;
        case shareDenyNone:
            share = FILE_SHARE_READ | FILE_SHARE_WRITE;
            break;
    }
    DWORD creation = OPEN_EXISTING;
    if (openFlags & modeCreate) creation = (openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    m_hFile = CreateFile(fileName, access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE) {
        if (error) {
            error->m_lOsError = (LONG)GetLastError();
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    m_strFileName = fileName;
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
    DWORD read = 0;
    if (!ReadFile(m_hFile, buffer, count, &read, nullptr)) throw new CFileException(GetLastError(), m_strFileName);
    return read;
}

void CFile::Write(const void* buffer, UINT count) {
    DWORD written = 0;
    if (!WriteFile(m_hFile, buffer, count, &written, nullptr) || written != count)
        throw new CFileException(GetLastError(), m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
    LARGE_INTEGER distance, position;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(m_hFile, distance, &position, from)) throw new CFileException(GetLastError(), m_strFileName);
    return (ULONGLONG)position.QuadPart;
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size)) throw new CFileException(GetLastError(), m_strFileName);
    return (ULONGLONG)size.QuadPart;
}

ULONGLONG CFile::GetPosition() const {
    LARGE_INTEGER zero, position;
    zero.QuadPart = 0;
    if (!SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        throw new CFileException(GetLastError(), m_strFileName);
    return (ULONGLONG)position.QuadPart;
}

void CFile::SetLength(ULONGLONG length) {
    Seek((LONGLONG)length, begin);
    if (!SetEndOfFile(m_hFile)) throw new CFileException(GetLastError(), m_strFileName);
}

void CFile::Flush() {
    if (m_hFile != INVALID_HANDLE_VALUE && !FlushFileBuffers(m_hFile))
        throw new CFileException(GetLastError(), m_strFileName);
}

void CFile::Close() {
    if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

BOOL CStdioFile::ReadString(CString& line) {
    // Bytes up to "\n" (a "\r" before it is dropped), converted from the ANSI code page.
    std::string bytes;
    char c;
    bool any = false;
    while (Read(&c, 1) == 1) {
        any = true;
        if (c == '\n') break;
        bytes += c;
    }
    if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
    line = CString(bytes.c_str());
    return any;
}
