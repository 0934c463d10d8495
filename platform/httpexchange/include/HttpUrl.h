// An http or https address taken apart for a connection and a request.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <string>

struct HTTP_URL_PARTS {
    INTERNET_SCHEME Scheme = INTERNET_SCHEME_UNKNOWN;
    std::wstring Host;
    INTERNET_PORT Port = 0;
    std::wstring Object;  // path and query
};

// False, with the WinINet error as last error, for an address WinINet cannot read.
bool CrackHttpUrl(const std::wstring& url, HTTP_URL_PARTS& parts);
