// A WinINet handle (session, connection, request) that closes itself, and the
// time-outs a handle keeps.
#pragma once

#include <windows.h>
#include <wininet.h>

class CInternetHandle {
public:
    explicit CInternetHandle(HINTERNET handle = nullptr) : m_handle(handle) {}
    ~CInternetHandle() { Reset(nullptr); }
    CInternetHandle(const CInternetHandle&) = delete;
    CInternetHandle& operator=(const CInternetHandle&) = delete;

    HINTERNET Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    // Closes the handle held and keeps the given one.
    void Reset(HINTERNET handle) {
        if (m_handle) InternetCloseHandle(m_handle);
        m_handle = handle;
    }

private:
    HINTERNET m_handle;
};

// Each handle keeps time-outs of its own; a request's bound the wait for its reply.
inline void SetTimeouts(HINTERNET handle, DWORD connectMs, DWORD sendMs, DWORD receiveMs) {
    InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connectMs, sizeof(connectMs));
    InternetSetOptionW(handle, INTERNET_OPTION_SEND_TIMEOUT, &sendMs, sizeof(sendMs));
    InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveMs, sizeof(receiveMs));
}
