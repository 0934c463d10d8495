// Fetches pages over WinINet for the browser: one session whose cookies, redirects
// and time-outs every fetch shares.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "InternetHandle.h"

struct PAGE_REPLY {
    DWORD Status = 0;
    std::string Body;
    std::wstring Url;  // where the reply came from, after redirects
};

class CPageFetcher {
public:
    CPageFetcher();
    // GET, or POST of the bytes; headers as "Name: value\r\n" lines.
    // False on a transport failure or a body larger than the browser takes.
    bool Fetch(const std::wstring& url, const std::wstring& headers, bool post, const std::vector<BYTE>& postData,
               PAGE_REPLY& reply);

private:
    bool Post(const std::wstring& url, const std::wstring& headers, const std::vector<BYTE>& postData,
              PAGE_REPLY& reply);

    CInternetHandle m_session;
};
