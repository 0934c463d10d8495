// Handles of the storage library that close themselves.
#pragma once

#include <windows.h>
#include <wininet.h>

// A kernel handle (file, mapping); both null and INVALID_HANDLE_VALUE mean none.
class CScopedHandle {
public:
    explicit CScopedHandle(HANDLE handle = nullptr) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~CScopedHandle() { Close(); }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;

    HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    // Closes now; false when the system refused.
    bool Close() {
        HANDLE handle = m_handle;
        m_handle = nullptr;
        return !handle || CloseHandle(handle);
    }

private:
    HANDLE m_handle;
};

// A WinINet request handle.
class CInternetHandle {
public:
    explicit CInternetHandle(HINTERNET handle = nullptr) : m_handle(handle) {}
    ~CInternetHandle() {
        if (m_handle) InternetCloseHandle(m_handle);
    }
    CInternetHandle(const CInternetHandle&) = delete;
    CInternetHandle& operator=(const CInternetHandle&) = delete;

    HINTERNET Get() const { return m_handle; }
    void Reset(HINTERNET handle) {
        if (m_handle) InternetCloseHandle(m_handle);
        m_handle = handle;
    }

private:
    HINTERNET m_handle;
};
