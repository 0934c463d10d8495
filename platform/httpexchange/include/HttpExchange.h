// One HTTP exchange over WinINet: a GET, or a POST of a body, to an absolute http://
// URL, without cache or cookies, every step bounded by a time-out and the whole
// exchange, when it has one, by a deadline.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

struct HTTP_EXCHANGE {
    const wchar_t* Agent = L"";
    std::wstring Url;
    const std::string* Body = nullptr;     // POST of these bytes; GET when null
    const wchar_t* ContentType = nullptr;  // the body's, when there is one
    DWORD TimeoutMs = 0;                   // for the connect, the send and each receive
    // GetTickCount64() by which the whole exchange is over, however slowly the peer
    // sends; 0: none. Its passing fails the exchange with ERROR_INTERNET_TIMEOUT.
    ULONGLONG Deadline = 0;
};

// The deadline that lies ms from now.
ULONGLONG DeadlineIn(DWORD ms);

// Takes the reply's body piece by piece; returning false abandons the exchange.
using HttpBodySink = std::function<bool(const char* data, size_t size)>;

// False on a transport failure, with the WinINet or system error number as last
// error: ERROR_CANCELLED when the sink refused a piece, ERROR_INTERNET_CONNECTION_RESET
// when the body ends short of its Content-Length. The status is set before the body is
// read; the body of any status goes to the sink.
bool HttpExchange(const HTTP_EXCHANGE& exchange, DWORD& status, const HttpBodySink& sink);

struct HTTP_TEXT_REPLY {
    DWORD Status = 0;
    std::string Body;  // the bytes as they came
};

// The same with the body gathered in memory; a body longer than maxBody fails.
bool HttpExchangeText(const HTTP_EXCHANGE& exchange, size_t maxBody, HTTP_TEXT_REPLY& reply);
