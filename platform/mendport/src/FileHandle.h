// A Win32 file handle that closes itself.
#pragma once

#include <windows.h>

class CFileHandle {
public:
    explicit CFileHandle(HANDLE handle) : m_handle(handle) {}
    ~CFileHandle() {
        if (*this) CloseHandle(m_handle);
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    // Closes the handle now; false when the system reports a failure (of a deferred write).
    bool Close() {
        bool closed = !*this || CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};
