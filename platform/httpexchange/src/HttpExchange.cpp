#include "HttpExchange.h"

#include "HttpUrl.h"
#include "InternetHandle.h"
#include "ReplyHeaderQuery.h"

#include <cstdint>

namespace {

constexpr DWORD kReadPiece = 4096;

// A step's time-out: the exchange's own, shortened to what is left before the
// deadline; false when the deadline has passed.
bool SetStepTimeouts(HINTERNET handle, const HTTP_EXCHANGE& exchange) {
    DWORD timeoutMs = exchange.TimeoutMs;
    if (exchange.Deadline) {
        ULONGLONG now = GetTickCount64();
        if (now >= exchange.Deadline) return false;
        ULONGLONG left = exchange.Deadline - now;
        if (!timeoutMs || left < timeoutMs) timeoutMs = (DWORD)left;
    }
    SetTimeouts(handle, timeoutMs, timeoutMs, timeoutMs);
    return true;
}

// Keeps the failing call's error number although the handles close afterwards.
bool Fail(DWORD& error, DWORD number = GetLastError()) {
    error = number;
    return false;
}

bool Exchange(const HTTP_EXCHANGE& exchange, DWORD& status, const HttpBodySink& sink, DWORD& error) {
    HTTP_URL_PARTS parts;
    if (!CrackHttpUrl(exchange.Url, parts)) return Fail(error);
    if (parts.Scheme != INTERNET_SCHEME_HTTP) return Fail(error, ERROR_INTERNET_UNRECOGNIZED_SCHEME);

    CInternetHandle session(InternetOpenW(exchange.Agent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session) return Fail(error);
    if (!SetStepTimeouts(session.Get(), exchange)) return Fail(error, ERROR_INTERNET_TIMEOUT);
    CInternetHandle connection(
        InternetConnectW(session.Get(), parts.Host.c_str(), parts.Port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return Fail(error);
    const std::string* body = exchange.Body;
    DWORD flags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES;
    CInternetHandle request(HttpOpenRequestW(connection.Get(), body ? L"POST" : L"GET", parts.Object.c_str(), nullptr,
                                             nullptr, nullptr, flags, 0));
    if (!request) return Fail(error);
    if (!SetStepTimeouts(request.Get(), exchange)) return Fail(error, ERROR_INTERNET_TIMEOUT);

    std::wstring headers;
    if (body && exchange.ContentType) headers = std::wstring(L"Content-Type: ") + exchange.ContentType + L"\r\n";
    if (!HttpSendRequestW(request.Get(), headers.empty() ? nullptr : headers.c_str(), (DWORD)headers.size(),
                          body ? (void*)body->data() : nullptr, body ? (DWORD)body->size() : 0))
        return Fail(error);

    DWORD size = sizeof(status);
    if (!HttpQueryInfoW(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return Fail(error);
    int64_t length = -1;  // -1: not announced
    if (!QueryContentLength(request.Get(), length)) length = -1;
    for (int64_t received = 0;;) {
        // Only what has come is read, so that a read waits at most one time-out.
        DWORD available = 0;
        if (!SetStepTimeouts(request.Get(), exchange)) return Fail(error, ERROR_INTERNET_TIMEOUT);
        if (!InternetQueryDataAvailable(request.Get(), &available, 0, 0)) return Fail(error);
        char piece[kReadPiece];
        DWORD read = 0;
        if (!InternetReadFile(request.Get(), piece, available && available < kReadPiece ? available : kReadPiece,
                              &read))
            return Fail(error);
        // A connection that ends before the announced length leaves the body cut short.
        if (read == 0) return length < 0 || received == length ? true : Fail(error, ERROR_INTERNET_CONNECTION_RESET);
        received += read;
        if (!sink(piece, read)) return Fail(error, ERROR_CANCELLED);
    }
}

}  // namespace

ULONGLONG DeadlineIn(DWORD ms) { return GetTickCount64() + ms; }

bool HttpExchange(const HTTP_EXCHANGE& exchange, DWORD& status, const HttpBodySink& sink) {
    DWORD error = 0;
    status = 0;
    bool ok = Exchange(exchange, status, sink, error);
    if (!ok) SetLastError(error);
    return ok;
}

bool HttpExchangeText(const HTTP_EXCHANGE& exchange, size_t maxBody, HTTP_TEXT_REPLY& reply) {
    reply.Body.clear();
    return HttpExchange(exchange, reply.Status, [&](const char* data, size_t size) {
        if (size > maxBody - reply.Body.size()) return false;
        reply.Body.append(data, size);
        return true;
    });
}
