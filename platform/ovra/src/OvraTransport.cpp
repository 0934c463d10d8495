#include "OvraTransport.h"

#include <wininet.h>

namespace {

constexpr DWORD kReadPiece = 4096;

// WinINet handle that closes itself.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : m_handle(handle) {}
    ~InternetHandle() {
        if (m_handle) InternetCloseHandle(m_handle);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    HINTERNET m_handle;
};

// Keeps the failing call's error number although the handles close afterwards.
bool Fail(DWORD& error) {
    error = GetLastError();
    return false;
}

bool Exchange(const std::wstring& url, const std::string* formBody, DWORD timeoutMs, OVRA_HTTP_REPLY& reply,
              DWORD& error) {
    wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH] = {};
    wchar_t path[INTERNET_MAX_URL_LENGTH] = {};
    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = host;
    parts.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = INTERNET_MAX_URL_LENGTH;
    parts.dwExtraInfoLength = 1;  // the query stays with the path
    if (!InternetCrackUrlW(url.c_str(), 0, 0, &parts)) return Fail(error);
    if (parts.nScheme != INTERNET_SCHEME_HTTP) {
        error = ERROR_INTERNET_UNRECOGNIZED_SCHEME;
        return false;
    }
    std::wstring object = std::wstring(path) + std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);

    InternetHandle session(InternetOpenW(L"ovra", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session) return Fail(error);
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionW(session.Get(), option, &timeoutMs, sizeof(timeoutMs));
    InternetHandle connection(
        InternetConnectW(session.Get(), host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return Fail(error);
    DWORD flags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES;
    InternetHandle request(HttpOpenRequestW(connection.Get(), formBody ? L"POST" : L"GET", object.c_str(), nullptr,
                                            nullptr, nullptr, flags, 0));
    if (!request) return Fail(error);

    const wchar_t* headers = formBody ? L"Content-Type: application/x-www-form-urlencoded\r\n" : nullptr;
    void* body = formBody ? (void*)formBody->data() : nullptr;
    DWORD bodyLength = formBody ? (DWORD)formBody->size() : 0;
    if (!HttpSendRequestW(request.Get(), headers, headers ? (DWORD)-1 : 0, body, bodyLength)) return Fail(error);

    DWORD status = 0, size = sizeof(status);
    if (!HttpQueryInfoW(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return Fail(error);
    reply.Status = status;
    reply.Body.clear();
    for (;;) {
        char piece[kReadPiece];
        DWORD read = 0;
        if (!InternetReadFile(request.Get(), piece, sizeof(piece), &read)) return Fail(error);
        if (read == 0) return true;
        reply.Body.append(piece, read);
    }
}

}  // namespace

bool OvraExchange(const std::wstring& url, const std::string* formBody, DWORD timeoutMs, OVRA_HTTP_REPLY& reply) {
    DWORD error = 0;
    bool ok = Exchange(url, formBody, timeoutMs, reply, error);
    if (!ok) SetLastError(error);
    return ok;
}
