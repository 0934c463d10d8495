#include "HttpHelpers.h"

#include <afxinet.h>

#include <memory>
#include <string>

#include "common/WindowMessages.h"
#include "InternetHandle.h"
#include "ReplyHeaderQuery.h"
#include "Utf8Text.h"
#include "net/portable/PostUrl.h"

namespace {

constexpr DWORD kPostPiece = 4096;
constexpr DWORD kReadPiece = 4096;
constexpr int kErrorTextChars = 1024;

bool StatusIs200(HINTERNET request) {
    WCHAR status[64] = {};
    DWORD length = sizeof(status) - sizeof(WCHAR);
    return HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE, status, &length, nullptr) && wcscmp(status, L"200") == 0;
}

// The text ends at the first zero character, as a C string would.
CString TextOfReply(const std::string& bytes) { return DecodeUtf8(bytes.c_str()).c_str(); }

// Reads until the body's end; false on a failed read.
bool ReadToEnd(HINTERNET request, std::string& body) {
    char piece[kReadPiece];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request, piece, sizeof(piece), &read)) return false;
        if (read == 0) return true;
        body.append(piece, read);
    }
}

CString FormatError(LPCWSTR format, DWORD value) {
    CString text;
    text.Format(format, (int)value);
    return text;
}

}  // namespace

void* HttpGetToMemory(const CString& url, int& size) {
    CInternetHandle session(InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return nullptr;
    SetTimeouts(session.Get(), 3000, 5000, 5000);
    CInternetHandle request(InternetOpenUrlW(session.Get(), url, nullptr, 0, 0, 0));
    if (!request || !StatusIs200(request.Get())) return nullptr;
    int64_t expected = 0;
    if (!QueryContentLength(request.Get(), expected) || expected <= 0 || expected > INT_MAX) return nullptr;

    // The block grows with what arrives, so a false Content-Length costs no memory.
    std::string body;
    while ((int64_t)body.size() < expected) {
        char piece[kReadPiece];
        DWORD want = (DWORD)std::min<int64_t>(sizeof(piece), expected - (int64_t)body.size());
        DWORD read = 0;
        if (!InternetReadFile(request.Get(), piece, want, &read) || read == 0) return nullptr;
        body.append(piece, read);
    }
    void* block = VirtualAlloc(nullptr, body.size(), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!block) return nullptr;
    memcpy(block, body.data(), body.size());
    size = (int)body.size();
    return block;
}

CString HttpGetText(const CString& url) {
    CInternetHandle session(InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return CString();
    SetTimeouts(session.Get(), 10000, 10000, 30000);
    CInternetHandle request(InternetOpenUrlW(session.Get(), url, nullptr, 0, 0, 0));
    if (!request || !StatusIs200(request.Get())) return CString();
    std::string body;
    if (!ReadToEnd(request.Get(), body)) return CString();
    // A reply cut off before its Content-Length is a failure, not a shorter text.
    int64_t expected = 0;
    if (QueryContentLength(request.Get(), expected) && (int64_t)body.size() < expected) return CString();
    return TextOfReply(body);
}

CString HttpPost(CString& error, HWND progressWindow, const CString& url, const char* body, int length,
                 const CString& headers) {
    POST_URL_PARTS parts;
    std::u16string address(reinterpret_cast<const char16_t*>(url.GetString()), (size_t)url.GetLength());
    if (!ParsePostUrl(address, parts)) {
        error = L"URL解析失败。";
        return CString();
    }
    CString host(reinterpret_cast<const WCHAR*>(parts.Host.c_str()), (int)parts.Host.size());
    CString object(reinterpret_cast<const WCHAR*>(parts.Object.c_str()), (int)parts.Object.size());
    DWORD total = length > 0 && body ? (DWORD)length : 0;

    std::unique_ptr<CInternetSession> session;
    std::unique_ptr<CHttpConnection> connection;
    std::unique_ptr<CHttpFile> file;
    try {
        session.reset(new CInternetSession(nullptr, 1, PRE_CONFIG_INTERNET_ACCESS));
        session->SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, 3000);
        session->SetOption(INTERNET_OPTION_SEND_TIMEOUT, 15000);
        session->SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, 30000);

        connection.reset(session->GetHttpConnection(host, parts.Port, nullptr, nullptr));
        if (!connection) {
            error = FormatError(L"GetHttpConnection出错，错误代码: %d", GetLastError());
            return CString();
        }
        DWORD flags = INTERNET_FLAG_EXISTING_CONNECT | (parts.Secure ? INTERNET_FLAG_SECURE : 0);
        file.reset(connection->OpenRequest(L"POST", object, nullptr, 1, nullptr, nullptr, flags));
        if (!file) {
            error = FormatError(L"OpenRequest出错，错误代码: %d", GetLastError());
            return CString();
        }

        INTERNET_BUFFERSW buffers = {};
        buffers.dwStructSize = sizeof(buffers);
        buffers.lpcszHeader = headers;
        buffers.dwHeadersLength = (DWORD)headers.GetLength();
        buffers.dwHeadersTotal = (DWORD)headers.GetLength();
        buffers.dwBufferTotal = total;
        if (!file->SendRequestEx(&buffers, nullptr, 0, 0)) {
            error = FormatError(L"SendRequest出错，错误代码: %d", GetLastError());
            return CString();
        }
        for (DWORD sent = 0; sent < total;) {
            DWORD piece = std::min(kPostPiece, total - sent);
            file->Write(body + sent, piece);
            sent += piece;
            if (progressWindow)
                PostMessageW(progressWindow, WM_HTTP_POST_PROGRESS, (WPARAM)((ULONGLONG)sent * 100 / total), 0);
        }
        file->EndRequest(0);

        CString status;
        if (!file->QueryInfo(HTTP_QUERY_STATUS_CODE, status) || status != L"200") {
            error.Format(L"服务器响应不正确: %s", status.GetString());
            return CString();
        }
        int64_t expected = 0;
        if (!QueryContentLength(*file, expected)) {
            error = FormatError(L"QueryInfo出错，错误代码: %d", GetLastError());
            return CString();
        }
        // The reply grows as it arrives instead of trusting Content-Length for memory.
        std::string reply;
        while ((int64_t)reply.size() < expected) {
            char piece[kReadPiece];
            UINT want = (UINT)std::min<int64_t>(sizeof(piece), expected - (int64_t)reply.size());
            UINT read = file->Read(piece, want);
            if (read == 0) {
                error = FormatError(L"Read出错，错误代码: %d", GetLastError());
                return CString();
            }
            reply.append(piece, read);
        }
        return TextOfReply(reply);
    } catch (CInternetException* e) {
        e->GetErrorMessage(error.GetBuffer(kErrorTextChars), kErrorTextChars);
        error.ReleaseBuffer();
        e->Delete();
        return CString();
    }
}
