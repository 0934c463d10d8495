#include "download/DownloadVedioItem.h"

#include <afxwin.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "ScopedHandle.h"
#include "download/DownloadMessages.h"
#include "config/UserConfig.h"
#include "download/PauseRequestList.h"
#include "download/portable/DownloadReply.h"
#include "common/WindowMessages.h"
#include "InternetHandle.h"

static_assert(sizeof(WCHAR) == sizeof(char16_t), "reply headers reach the portable parser as UTF-16");

namespace {

constexpr LPCWSTR kAgent = L"HTTP Downloader";
constexpr DWORD kInternetTimeout = 60000;
constexpr int kOpenAttempts = 6;
constexpr DWORD kOpenRetryDelay = 200;
// A read waits until all it asks for has come, and the job looks for a pause request
// only between reads. So a read asks for what has arrived, up to a piece, or for a
// small read when nothing is known.
constexpr DWORD kReadPiece = 65536;
constexpr DWORD kSmallRead = 8192;
constexpr DWORD kProgressInterval = 1000;
constexpr int kHeaderChars = 128;

// Opens or creates the partial file, keeping its content; tries again for about a
// second while another program holds it. No handle (last error set) when all fail.
CScopedHandle OpenPartialFile(const CString& path) {
    for (int attempt = 1;; ++attempt) {
        HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || attempt == kOpenAttempts) return CScopedHandle(file);
        Sleep(kOpenRetryDelay);
    }
}

// Cuts the file to size bytes and puts the file pointer there.
bool CutFile(HANDLE file, LONGLONG size) {
    LARGE_INTEGER position;
    position.QuadPart = size;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

using HeaderText = WCHAR[kHeaderChars];

// A reply header as text (the index-th of that name); null when the reply has none. A
// header too long for the buffer comes back empty, which no parser accepts.
const char16_t* QueryHeader(HINTERNET request, DWORD info, HeaderText& text, DWORD index = 0) {
    DWORD length = sizeof(text) - sizeof(WCHAR);
    text[0] = 0;
    if (HttpQueryInfoW(request, info, text, &length, &index)) return reinterpret_cast<const char16_t*>(text);
    text[0] = 0;
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER ? reinterpret_cast<const char16_t*>(text) : nullptr;
}

// The Content-Length as text; empty (unreadable) when the reply has several that differ.
const char16_t* QueryAgreedContentLength(HINTERNET request, HeaderText& text) {
    const char16_t* first = QueryHeader(request, HTTP_QUERY_CONTENT_LENGTH, text);
    HeaderText other;
    for (DWORD index = 1; first && *first; ++index) {
        const char16_t* next = QueryHeader(request, HTTP_QUERY_CONTENT_LENGTH, other, index);
        if (!next) break;
        if (std::u16string_view(first) != std::u16string_view(next)) text[0] = 0;
    }
    return first;
}

int Failed(int& detail, int result, DWORD error) {
    detail = (int)error;
    return result;
}

int ConnectFailed(int& detail) { return Failed(detail, DOWNLOAD_ERR_CONNECT, GetLastError()); }

}  // namespace

CDownloadVedioItem::CDownloadVedioItem(const DOWNLOAD_TASK_INFO& task, CWnd* window)
    : m_task(task), m_pWnd(window), m_knownTotal(KnownTotalOf(task.FileSize)) {
    m_task.UserName = CUserConfig::GetInstance().GetCurrentUser();
}

HWND CDownloadVedioItem::WindowHandle() const { return m_pWnd ? m_pWnd->GetSafeHwnd() : nullptr; }

void CDownloadVedioItem::PostStarted() const {
    if (HWND window = WindowHandle())
        PostMessageW(window, WM_DOWNLOAD_STARTED, m_task.FileID, SizeToMessageValue(m_task.FileSize));
}

int CDownloadVedioItem::DoWork(DOWNLOAD_JOB_CONTEXT& context) {
    int& detail = *context.Detail;
    CScopedHandle file(OpenPartialFile(m_task.FilePath + L".temp"));
    if (!file) return Failed(detail, DOWNLOAD_ERR_CREATE_FILE, GetLastError());
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) return Failed(detail, DOWNLOAD_ERR_CREATE_FILE, GetLastError());
    m_task.DownSize = size.QuadPart;
    return Download(file.Get(), detail, *context.PauseRequests);
}

int CDownloadVedioItem::Download(HANDLE file, int& detail, CPauseRequestList& pauseRequests) {
    DWORD service = 0;
    CString server, object;
    INTERNET_PORT port = 0;
    if (!AfxParseURL(m_task.DownloadUrl, service, server, object, port))
        return Failed(detail, DOWNLOAD_ERR_CONNECT, ERROR_INTERNET_INVALID_URL);

    CInternetHandle session(InternetOpenW(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return ConnectFailed(detail);
    SetTimeouts(session.Get(), kInternetTimeout, kInternetTimeout, kInternetTimeout);
    CInternetHandle connection(
        InternetConnectW(session.Get(), server, port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return ConnectFailed(detail);
    CInternetHandle request(
        HttpOpenRequestW(connection.Get(), L"GET", object, nullptr, nullptr, nullptr, INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!request) return ConnectFailed(detail);
    if (m_task.DownSize > 0) {
        CString range;
        range.Format(L"Range: bytes=%I64d-", m_task.DownSize);
        HttpAddRequestHeadersW(request.Get(), range, (DWORD)-1, HTTP_ADDREQ_FLAG_ADD_IF_NEW);
    }
    if (!HttpSendRequestW(request.Get(), nullptr, 0, nullptr, 0)) return ConnectFailed(detail);

    DWORD status = 0;
    DWORD statusSize = sizeof(status);
    if (!HttpQueryInfoW(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &statusSize, nullptr))
        return ConnectFailed(detail);
    HeaderText length, range, type, encoding;
    REPLY_HEADERS reply{(int)status, QueryAgreedContentLength(request.Get(), length),
                        QueryHeader(request.Get(), HTTP_QUERY_CONTENT_RANGE, range),
                        QueryHeader(request.Get(), HTTP_QUERY_CONTENT_TYPE, type),
                        QueryHeader(request.Get(), HTTP_QUERY_TRANSFER_ENCODING, encoding)};
    REPLY_PLAN plan = PlanReply(reply, {m_task.DownSize, m_task.FileSize, m_knownTotal});
    switch (plan.Action) {
        case ReplyAction::Refuse:
            return Failed(detail, DOWNLOAD_ERR_CONNECT, status);
        case ReplyAction::Discard:
            CutFile(file, 0);
            m_knownTotal = -1;
            return Failed(detail, DOWNLOAD_ERR_CONNECT, status);
        case ReplyAction::Complete:
            m_task.FileSize = m_task.DownSize;
            if (plan.Total >= 0) m_knownTotal = plan.Total;
            PostStarted();
            return DOWNLOAD_ERR_NONE;
        case ReplyAction::Write:
            break;
    }
    if (plan.Total >= 0) m_knownTotal = plan.Total;
    if (!CutFile(file, plan.Offset)) return Failed(detail, DOWNLOAD_ERR_WRITE_FILE, GetLastError());
    m_task.DownSize = plan.Offset;
    m_task.FileSize = CorrectFileSize(m_task.FileSize, plan.Offset, plan.Remaining);
    PostStarted();
    return Transfer(request.Get(), file, plan.Remaining, detail, pauseRequests);
}

// Reads the remaining bytes of the body into the file.
int CDownloadVedioItem::Transfer(HINTERNET request, HANDLE file, LONGLONG remaining, int& detail,
                                 CPauseRequestList& pauseRequests) {
    const DOWNLOAD_JOB_KEY key = GetKey();
    DWORD lastReport = GetTickCount();
    int sinceReport = 0;
    char piece[kReadPiece];
    while (remaining > 0) {
        if (pauseRequests.Take(key)) return DOWNLOAD_ERR_PAUSED;
        DWORD available = 0;
        if (!InternetQueryDataAvailable(request, &available, 0, 0)) return ConnectFailed(detail);
        DWORD want = available > 0 ? std::min<DWORD>(available, sizeof(piece)) : kSmallRead;
        if (remaining < want) want = (DWORD)remaining;
        DWORD read = 0;
        if (!InternetReadFile(request, piece, want, &read)) return ConnectFailed(detail);
        // The server ended the body early: the next attempt continues from here.
        if (read == 0) return Failed(detail, DOWNLOAD_ERR_CONNECT, ERROR_INTERNET_CONNECTION_ABORTED);
        DWORD written = 0;
        if (!WriteFile(file, piece, read, &written, nullptr) || written != read)
            return Failed(detail, DOWNLOAD_ERR_WRITE_FILE, GetLastError());
        remaining -= read;
        m_task.DownSize += read;
        sinceReport += (int)read;

        DWORD now = GetTickCount();
        if (now - lastReport >= kProgressInterval) {
            auto progress =
                std::make_unique<DOWNLOAD_JOB_KEY>(m_task.FileID, m_task.UserName, m_task.FilePath, sinceReport);
            progress->DownSize = m_task.DownSize;
            progress->FileSize = m_task.FileSize;
            PostJobMessage(WindowHandle(), WM_DOWNLOAD_PROGRESS, std::move(progress),
                           SizeToMessageValue(m_task.DownSize));
            lastReport = now;
            sinceReport = 0;
        }
    }
    return DOWNLOAD_ERR_NONE;
}
