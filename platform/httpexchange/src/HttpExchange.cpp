#include "HttpExchange.h"

#include "HttpUrl.h"
#include "InternetHandle.h"

#include <cstdint>
#include <cwchar>
#include <optional>

namespace {

constexpr DWORD kReadPiece = 4096;

// The Content-Length header's value, when the reply has a readable one.
std::optional<uint64_t> ContentLength(HINTERNET request) {
    wchar_t text[32] = {};
    DWORD size = sizeof(text);
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return std::nullopt;
    wchar_t* end = nullptr;
    uint64_t value = wcstoull(text, &end, 10);
    if (end == text || *end) return std::nullopt;
    return value;
}

// Each handle keeps time-outs of its own: the request's bound the wait for its reply.
// A step's time-out: the exchange's own, shortened to what is left before the
// deadline; false when the deadline has passed.
bool SetTimeouts(HINTERNET handle, const HTTP_EXCHANGE& exchange) {
    DWORD timeoutMs = exchange.TimeoutMs;
    if (exchange.Deadline) {
        ULONGLONG now = GetTickCount64();
        if (now >= exchange.Deadline) return false;
        ULONGLONG left = exchange.Deadline - now;
        if (!timeoutMs || left < timeoutMs) timeoutMs = (DWORD)left;
    }
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionW(handle, option, &timeoutMs, sizeof(timeoutMs));
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

    InternetHandle session(InternetOpenW(exchange.Agent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session) return Fail(error);
    if (!SetTimeouts(session.Get(), exchange)) return Fail(error, ERROR_INTERNET_TIMEOUT);
    InternetHandle connection(
        InternetConnectW(session.Get(), parts.Host.c_str(), parts.Port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return Fail(error);
    const std::string* body = exchange.Body;
    DWORD flags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES;
    InternetHandle request(HttpOpenRequestW(connection.Get(), body ? L"POST" : L"GET", parts.Object.c_str(), nullptr,
                                            nullptr, nullptr, flags, 0));
    if (!request) return Fail(error);
    if (!SetTimeouts(request.Get(), exchange)) return Fail(error, ERROR_INTERNET_TIMEOUT);

    std::wstring headers;
    if (body && exchange.ContentType) headers = std::wstring(L"Content-Type: ") + exchange.ContentType + L"\r\n";
    if (!HttpSendRequestW(request.Get(), headers.empty() ? nullptr : headers.c_str(), (DWORD)headers.size(),
                          body ? (void*)body->data() : nullptr, body ? (DWORD)body->size() : 0))
        return Fail(error);

    DWORD size = sizeof(status);
    if (!HttpQueryInfoW(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return Fail(error);
    std::optional<uint64_t> length = ContentLength(request.Get());
    for (uint64_t received = 0;;) {
        // Only what has come is read, so that a read waits at most one time-out.
        DWORD available = 0;
        if (!SetTimeouts(request.Get(), exchange)) return Fail(error, ERROR_INTERNET_TIMEOUT);
        if (!InternetQueryDataAvailable(request.Get(), &available, 0, 0)) return Fail(error);
        char piece[kReadPiece];
        DWORD read = 0;
        if (!InternetReadFile(request.Get(), piece, available && available < kReadPiece ? available : kReadPiece,
                              &read))
            return Fail(error);
        // A connection that ends before the announced length leaves the body cut short.
        if (read == 0) return !length || received == *length ? true : Fail(error, ERROR_INTERNET_CONNECTION_RESET);
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
