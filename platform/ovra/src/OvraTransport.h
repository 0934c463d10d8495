// One HTTP exchange of the SDK over WinINet.
#pragma once

#include <windows.h>

#include <string>

struct OVRA_HTTP_REPLY {
    DWORD Status = 0;
    std::string Body;  // the bytes as they came
};

// GET (no body) or POST of a form body to an absolute http:// URL. False on a
// transport failure, with the WinINet or system error number as last error.
bool OvraExchange(const std::wstring& url, const std::string* formBody, DWORD timeoutMs, OVRA_HTTP_REPLY& reply);
