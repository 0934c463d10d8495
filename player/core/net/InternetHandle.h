// WinINet handles that close themselves, and the time-outs of a session.
#pragma once

#include <windows.h>
#include <wininet.h>

struct InternetHandle {
    HINTERNET handle;
    explicit InternetHandle(HINTERNET h) : handle(h) {}
    ~InternetHandle() { if (handle) InternetCloseHandle(handle); }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    explicit operator bool() const { return handle != nullptr; }
};

inline void SetTimeouts(HINTERNET session, DWORD connect, DWORD send, DWORD receive) {
    InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof(connect));
    InternetSetOptionW(session, INTERNET_OPTION_SEND_TIMEOUT, &send, sizeof(send));
    InternetSetOptionW(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof(receive));
}
