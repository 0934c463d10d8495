#include "PageFetcher.h"

#include "HttpUrl.h"

namespace {

constexpr wchar_t kAgent[] = L"Mozilla/4.0 (compatible)";
constexpr DWORD kTimeoutMs = 30000;
constexpr size_t kMaxBody = 16 << 20;
constexpr DWORD kFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI;

std::wstring RequestUrl(HINTERNET request, const std::wstring& fallback) {
    wchar_t url[INTERNET_MAX_URL_LENGTH] = {};
    DWORD size = sizeof(url) - sizeof(wchar_t);
    return InternetQueryOptionW(request, INTERNET_OPTION_URL, url, &size) && url[0] ? url : fallback;
}

// Status, address and body of a request whose reply has arrived.
bool ReadReply(HINTERNET request, const std::wstring& url, PAGE_REPLY& reply) {
    DWORD size = sizeof(reply.Status);
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &reply.Status, &size, nullptr))
        return false;
    reply.Url = RequestUrl(request, url);
    for (;;) {
        char piece[8192];
        DWORD read = 0;
        if (!InternetReadFile(request, piece, sizeof(piece), &read)) return false;
        if (read == 0) return true;
        if (read > kMaxBody - reply.Body.size()) return false;
        reply.Body.append(piece, read);
    }
}

}  // namespace

CPageFetcher::CPageFetcher() : m_session(InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)) {
    if (m_session) SetTimeouts(m_session.Get(), kTimeoutMs, kTimeoutMs, kTimeoutMs);
}

bool CPageFetcher::Fetch(const std::wstring& url, const std::wstring& headers, bool post,
                         const std::vector<BYTE>& postData, PAGE_REPLY& reply) {
    reply = PAGE_REPLY();
    if (!m_session) return false;
    if (post) return Post(url, headers, postData, reply);
    CInternetHandle request(InternetOpenUrlW(m_session.Get(), url.c_str(), headers.empty() ? nullptr : headers.c_str(),
                                             (DWORD)headers.size(), kFlags, 0));
    return request && ReadReply(request.Get(), url, reply);
}

bool CPageFetcher::Post(const std::wstring& url, const std::wstring& headers, const std::vector<BYTE>& postData,
                        PAGE_REPLY& reply) {
    HTTP_URL_PARTS parts;
    if (!CrackHttpUrl(url, parts)) return false;
    if (parts.Scheme != INTERNET_SCHEME_HTTP && parts.Scheme != INTERNET_SCHEME_HTTPS) return false;
    CInternetHandle connection(InternetConnectW(m_session.Get(), parts.Host.c_str(), parts.Port, nullptr, nullptr,
                                                INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return false;
    DWORD flags = kFlags | (parts.Scheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0);
    CInternetHandle request(
        HttpOpenRequestW(connection.Get(), L"POST", parts.Object.c_str(), nullptr, nullptr, nullptr, flags, 0));
    if (!request) return false;
    if (!HttpSendRequestW(request.Get(), headers.empty() ? nullptr : headers.c_str(), (DWORD)headers.size(),
                          (void*)postData.data(), (DWORD)postData.size()))
        return false;
    return ReadReply(request.Get(), url, reply);
}
