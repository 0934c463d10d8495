#include "HttpHelper.h"

#include <zlib.h>

#include <cstring>
#include <vector>

#include "SystemError.h"
#include "InternetHandle.h"
#include "ScopedHandle.h"
#include "HeaderValues.h"
#include "portable/CommonUtil.h"
#include "portable/ReplyHeaders.h"
#include "portable/RequestLayout.h"
#include "portable/StorageResults.h"

namespace {

const char* const USER_AGENT = "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1; Trident/4.0)";
const char* ACCEPT_TYPES[] = {"image/bmp",
                              "image/gif",
                              "image/jpeg",
                              "image/pjpeg",
                              "application/x-shockwave-flash",
                              "application/vnd.ms-powerpoint",
                              "application/vnd.ms-excel",
                              "application/msword",
                              "application/x-ms-application",
                              "application/x-ms-xbap",
                              "application/vnd.ms-xpsdocument",
                              "application/xaml+xml",
                              "*/*",
                              nullptr};
constexpr unsigned ALL_HEADERS = HEADER_ACCEPT_ENCODING | HEADER_NO_CACHE | HEADER_CONNECTION_CLOSE;
constexpr DWORD REPLY_PIECE = 4096;
constexpr DWORD DOWNLOAD_PIECE = 65536;
constexpr DWORD UPLOAD_PIECE = 65536;

struct REPLY_HEADERS {
    DWORD status = 0;
    ULONGLONG contentLength = 0;  // 0 when absent
    ReplyCoding coding = ReplyCoding::Plain;
};

bool IsSuccessStatus(DWORD status) { return status == 200 || status == 206; }

bool AddHeader(HINTERNET request, const char* header) {
    return HttpAddRequestHeadersA(request, header, DWORD(-1), HTTP_ADDREQ_FLAG_ADD);
}

// A header's whole value; false when the reply has none.
bool QueryHeader(HINTERNET request, DWORD query, std::string& value) {
    std::vector<char> buffer(256);
    for (;;) {
        DWORD length = DWORD(buffer.size());
        if (HttpQueryInfoA(request, query, buffer.data(), &length, nullptr)) {
            value.assign(buffer.data(), length);
            return true;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
        buffer.resize(length + 1);
    }
}

bool QueryNumber(HINTERNET request, DWORD query, DWORD& number) {
    DWORD length = sizeof(number);
    return HttpQueryInfoA(request, query | HTTP_QUERY_FLAG_NUMBER, &number, &length, nullptr);
}

// A request whose send failed may still give a status of 0, which must not read as FS_OK.
int QueryStatus(HINTERNET request, DWORD& status, const char* errorText) {
    if (QueryNumber(request, HTTP_QUERY_STATUS_CODE, status) && status >= 100) return FS_OK;
    LogSystemError();
    SetLastErrMsg(errorText);
    return FS_ERR_STATUS_QUERY;
}

int ReadReplyHeaders(HINTERNET request, REPLY_HEADERS& headers) {
    if (int failed = QueryStatus(request, headers.status, "HttpQueryInfo(HTTP_QUERY_STATUS_CODE) error")) return failed;
    // Read as text: a length beyond 32 bits must not read as absent.
    std::string text;
    int64_t length = 0;
    if (!QueryHeader(request, HTTP_QUERY_CONTENT_LENGTH, text) || !ParseContentLength(text, length)) length = 0;
    headers.contentLength = ULONGLONG(length);
    std::string encoding;
    if (QueryHeader(request, HTTP_QUERY_CONTENT_ENCODING, encoding) && !CodingFromHeader(encoding, headers.coding)) {
        SetLastErrMsg("HttpQueryInfo(HTTP_QUERY_CONTENT_ENCODING) not expected result in (gzip,deflate)");
        return FS_ERR_CONTENT_ENCODING;
    }
    return FS_OK;
}

// Appends the body to data until a read delivers nothing.
int ReadBody(HINTERNET request, std::string& data, const char* errorText) {
    char piece[REPLY_PIECE];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request, piece, sizeof(piece), &read)) {
            LogSystemError();
            SetLastErrMsg(errorText);
            return FS_ERR_READ;
        }
        if (read == 0) return FS_OK;
        data.append(piece, read);
    }
}

// A body whose length differs from a non-zero Content-Length was cut off (or ran on).
int CheckLength(ULONGLONG contentLength, ULONGLONG received) {
    if (contentLength == 0 || contentLength == received) return FS_OK;
    SetLastErrMsg("result not expect, dwContentLength=" + std::to_string(contentLength) +
                  ", strResponse.size()=" + std::to_string(received));
    return FS_ERR_LENGTH_MISMATCH;
}

bool SendWithoutBody(HINTERNET request) { return HttpSendRequestA(request, nullptr, 0, nullptr, 0); }

// Writes a downloaded piece; false, with the failure logged, when the file refused it.
bool WritePiece(HANDLE file, const char* data, DWORD size) {
    DWORD written = 0;
    if (WriteFile(file, data, size, &written, nullptr) && written == size) {
        LOG_DEBUG("write buffer to file successfully, dwRead=" << size << ", dwWrite=" << written);
        return true;
    }
    LOG_DEBUG("write buffer to file fail, hFile=" << file << ", dwRead=" << size << ", dwWrite=" << written);
    LogSystemError();
    SetLastErrMsg("FileDownload() WriteFile error");
    return false;
}

bool WriteRequestData(HINTERNET request, const void* data, size_t size) {
    DWORD written = 0;
    return InternetWriteFile(request, data, DWORD(size), &written) && written == size;
}

std::string FilePath(const char* folder, const char* fileName) {
    return std::string(Text(folder)) + "\\" + Text(fileName);
}

void CloseLocalFile(CScopedHandle& file) {
    if (file.Close()) {
        LOG_TRACE("CloseHandle successfully");
    } else {
        LOG_ERROR("CloseHandle fail");
    }
}

}  // namespace

CHttpHelper::CHttpHelper(const std::string& serverUrl) {
    std::string schemeHostPort;
    if (!SplitServerUrl(serverUrl, schemeHostPort, m_prefix)) {
        SetLastErrMsg("CHttpHelper::CHttpHelper() index-lpszServerPrefix >= SERVER_URL_MAX_SIZE");
        return;
    }
    InitialConnection(schemeHostPort);
}

CHttpHelper::~CHttpHelper() { CloseConnection(); }

int CHttpHelper::InitialConnection(const std::string& schemeHostPort) {
    LOG_TRACE("CHttpHelper::InitialConnection()");
    CloseConnection();
    m_session = InternetOpenA(USER_AGENT, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!m_session) {
        LogSystemError();
        SetLastErrMsg("InternetOpen error");
        return FS_ERR_INTERNET_OPEN;
    }
    char host[64] = {}, path[256] = {}, extra[256] = {};
    URL_COMPONENTSA parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof(host);
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof(path);
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = sizeof(extra);
    if (!InternetCrackUrlA(schemeHostPort.c_str(), 0, ICU_DECODE, &parts)) {
        LogSystemError();
        SetLastErrMsg("InternetCrackUrl error");
        return FS_ERR_CRACK_URL;
    }
    m_connection = InternetConnectA(m_session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    if (!m_connection) {
        LogSystemError();
        SetLastErrMsg("InternetConnect error");
        return FS_ERR_INTERNET_CONNECT;
    }
    m_requestFlags = parts.nScheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0;
    return FS_OK;
}

int CHttpHelper::CloseConnection() {
    if (!m_session) return FS_OK;
    LOG_TRACE("CHttpHelper::CloseConnection()");
    if (m_connection && !InternetCloseHandle(m_connection)) SetLastErrMsg("InternetCloseHandle error");
    if (!InternetCloseHandle(m_session)) SetLastErrMsg("InternetCloseHandle error");
    m_connection = nullptr;
    m_session = nullptr;
    return FS_OK;
}

int CHttpHelper::SetRequestHeader(HINTERNET request, unsigned flags) {
    struct STANDARD_HEADER {
        unsigned flag;  // 0: always
        const char* text;
        int failure;
    };
    static const STANDARD_HEADER headers[] = {
        {0, "Accept-Language: zh-cn", FS_ERR_LANGUAGE_HEADER},
        {HEADER_ACCEPT_ENCODING, "Accept-Encoding: gzip, deflate", FS_ERR_ENCODING_HEADER},
        {HEADER_NO_CACHE, "Pragma: no-cache", FS_ERR_PRAGMA_HEADER},
        {HEADER_NO_CACHE, "Cache-Control: no-cache", FS_ERR_CACHE_HEADER},
        {HEADER_CONNECTION_CLOSE, "Connection: close", FS_ERR_CONNECTION_HEADER},
    };
    for (const STANDARD_HEADER& header : headers) {
        if (header.flag && !(flags & header.flag)) continue;
        if (!AddHeader(request, header.text)) {
            LogSystemError();
            SetLastErrMsg("SetRequestHeader() HttpAddRequestHeaders error");
            return header.failure;
        }
    }
    return FS_OK;
}

int CHttpHelper::OpenRequest(const char* verb, const std::string& path, const char* caller, CInternetHandle& request) {
    std::string urlPath = UrlPath(m_prefix, path);
    if (path.size() > REST_PATH_MAX_CHARS || urlPath.size() > URL_PATH_MAX_CHARS) {
        SetLastErrMsg(std::string(caller) + " request path too long: " + path);
        return FS_ERR_BAD_ARGUMENT;
    }
    request.Reset(
        HttpOpenRequestA(m_connection, verb, urlPath.c_str(), "HTTP/1.1", nullptr, ACCEPT_TYPES, m_requestFlags, 0));
    if (!request.Get()) {
        LogSystemError();
        SetLastErrMsg(std::string(caller) + " HttpOpenRequest error");
        return FS_ERR_OPEN_REQUEST;
    }
    return SetRequestHeader(request.Get(), ALL_HEADERS);
}

int CHttpHelper::GetResponse(HINTERNET request, std::string& reply) {
    reply.clear();
    REPLY_HEADERS headers;
    if (int failed = ReadReplyHeaders(request, headers)) return failed;
    if (!IsSuccessStatus(headers.status)) {
        SetErrMsgWithCode("GetResponse() HTTP response fail:dwStatusCode=", headers.status);
        return int(headers.status);
    }
    std::string data;
    if (int failed = ReadBody(request, data, "GetResponse() InternetReadFile error")) return failed;
    if (headers.coding == ReplyCoding::Plain) {
        reply.swap(data);
    } else {
        CInflater inflater(headers.coding);
        int failed = inflater.Inflate(data.data(), data.size(), Z_NO_FLUSH, reply);
        if (failed) {
            SetErrMsgWithCode("GetResponse() inflate() ret=", failed);
            return failed;
        }
        LOG_TRACE("GetResponse() Receive:[strData.size()=" << data.size() << ", strResponse.size()=" << reply.size()
                                                           << "]");
        if (int incomplete = inflater.EndResult()) {
            SetErrMsgWithCode("GetResponse() inflate() last return is not Z_STREAM_END, ret=", incomplete);
            return incomplete;
        }
    }
    return CheckLength(headers.contentLength, headers.coding == ReplyCoding::Plain ? reply.size() : data.size());
}

int CHttpHelper::RequestGet(const std::string& path, std::string& reply) {
    if (!m_connection) {
        SetLastErrMsg("Not connect to server.");
        return FS_ERR_NOT_CONNECTED;
    }
    CInternetHandle request;
    if (int failed = OpenRequest("GET", path, "CHttpHelper::RequestGet()", request)) return failed;
    if (!SendWithoutBody(request.Get())) {
        LOG_ERROR("CHttpHelper::RequestGet() HttpSendRequest error");
        LogSystemError();
    }
    if (int failed = GetResponse(request.Get(), reply)) return failed;
    LOG_DEBUG("CHttpHelper::RequestGet() Receive:[" << reply << "], size=" << reply.size());
    return FS_OK;
}

int CHttpHelper::RequestPost(const std::string& path, const std::string& body, std::string& reply) {
    if (!m_connection) {
        SetLastErrMsg("Not connect to server.");
        return FS_ERR_NOT_CONNECTED;
    }
    if (body.size() > FORM_BODY_MAX_CHARS) {
        SetLastErrMsg("CHttpHelper::RequestPost() form body too long");
        return FS_ERR_BAD_ARGUMENT;
    }
    CInternetHandle request;
    if (int failed = OpenRequest("POST", path, "CHttpHelper::RequestPost()", request)) return failed;
    if (!AddHeader(request.Get(), FORM_CONTENT_TYPE)) {
        LogSystemError();
        SetLastErrMsg("CHttpHelper::RequestPost() HttpAddRequestHeaders error");
        return FS_ERR_CONTENT_TYPE_HEADER;
    }
    if (!HttpSendRequestA(request.Get(), nullptr, 0, const_cast<char*>(body.data()), DWORD(body.size()))) {
        LogSystemError();
        SetLastErrMsg("CHttpHelper::RequestPost() HttpSendRequest error");
        return FS_ERR_SEND_REQUEST;
    }
    if (int failed = GetResponse(request.Get(), reply)) return failed;
    LOG_DEBUG("CHttpHelper::RequestPost() Receive:[" << reply << "], size=" << reply.size());
    return FS_OK;
}

int CHttpHelper::SendUpload(HINTERNET request, DWORD total, const std::function<int()>& writeBody,
                            const char* sendError, const char* endError) {
    INTERNET_BUFFERSA buffers = {};
    buffers.dwStructSize = sizeof(buffers);
    buffers.dwBufferTotal = total;
    if (!HttpSendRequestExA(request, &buffers, nullptr, 0, 0)) {
        LogSystemError();
        SetLastErrMsg(sendError);
        return FS_ERR_SEND_REQUEST_EX;
    }
    // A body cut short leaves the request unfinished: closing its handle drops it.
    if (int failed = writeBody()) return failed;
    if (!HttpEndRequestA(request, nullptr, 0, 0)) {
        LogSystemError();
        SetLastErrMsg(endError);
        return FS_ERR_END_REQUEST;
    }
    return FS_OK;
}

int CHttpHelper::FileUpload(const std::string& path, const char* folder, const char* fileName,
                            const char* serverFileName, std::string& reply) {
    CInternetHandle request;
    if (int failed = OpenRequest("POST", path, "CHttpHelper::FileUpload()", request)) return failed;
    std::string serverName = std::string(Text(serverFileName)).substr(0, SERVER_FILE_NAME_MAX_CHARS);
    std::string localPath = FilePath(folder, fileName);
    if (!IsMultipartSafe(serverName) || localPath.size() > UPLOAD_PATH_MAX_CHARS) {
        SetLastErrMsg("CHttpHelper::FileUpload() file name not usable: " + serverName);
        return FS_ERR_BAD_ARGUMENT;
    }
    LOG_TRACE("FileUpload(" << localPath << ")");
    if (!AddHeader(request.Get(), UPLOAD_CONTENT_TYPE)) {
        LogSystemError();
        SetLastErrMsg("CHttpHelper::FileUpload() HttpAddRequestHeaders error");
        return FS_ERR_CONTENT_TYPE_HEADER;
    }
    CScopedHandle file(
        CreateFileA(localPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        LogSystemError();
        return FS_ERR_LOCAL_FILE;
    }
    LOG_DEBUG("File " << localPath << " open successfully");
    std::string head = FileUploadHead(serverName) + FILE_UPLOAD_MIDDLE;
    LARGE_INTEGER fileSize;
    if (!GetFileSizeEx(file.Get(), &fileSize)) {
        LogSystemError();
        return FS_ERR_LOCAL_FILE;
    }
    LOG_DEBUG("dwFileSize=" << fileSize.QuadPart);
    ULONGLONG total = head.size() + ULONGLONG(fileSize.QuadPart) + MULTIPART_TAIL.size();
    if (total > 0xFFFFFFFFull) {
        SetLastErrMsg("CHttpHelper::FileUpload() file too large: " + localPath);
        return FS_ERR_LOCAL_FILE;
    }
    // A failed write shows when the request is ended; a file that gives less than its
    // size ends the upload unfinished.
    auto writeBody = [&]() {
        WriteRequestData(request.Get(), head.data(), head.size());
        std::vector<char> piece(UPLOAD_PIECE);
        for (ULONGLONG sent = 0; sent < ULONGLONG(fileSize.QuadPart);) {
            DWORD read = 0;
            if (!ReadFile(file.Get(), piece.data(), UPLOAD_PIECE, &read, nullptr) || read == 0) {
                LogSystemError();
                SetLastErrMsg("CHttpHelper::FileUpload() ReadFile error: " + localPath);
                return FS_ERR_LOCAL_FILE;
            }
            if (!WriteRequestData(request.Get(), piece.data(), read)) break;
            sent += read;
        }
        WriteRequestData(request.Get(), MULTIPART_TAIL.data(), MULTIPART_TAIL.size());
        return FS_OK;
    };
    if (int failed =
            SendUpload(request.Get(), DWORD(total), writeBody, "CHttpHelper::FileUpload() HttpSendRequestEx error",
                       "CHttpHelper::FileUpload() HttpEndRequest error"))
        return failed;
    CloseLocalFile(file);
    if (int failed = GetResponse(request.Get(), reply)) return failed;
    LOG_DEBUG("CHttpHelper::FileUpload() Receive:[" << reply << "], size=" << reply.size());
    return FS_OK;
}

int CHttpHelper::BufferUpload(const std::string& path, const char* key, const void* data, unsigned long length,
                              unsigned long offset, std::string& reply) {
    CInternetHandle request;
    if (int failed = OpenRequest("POST", path, "CHttpHelper::BufferUpload()", request)) return failed;
    std::string pieceKey = std::string(Text(key)).substr(0, PIECE_KEY_MAX_CHARS);
    if (!IsMultipartSafe(pieceKey) || !IsRangeInLimits(offset, length) || !data) {
        SetLastErrMsg("CHttpHelper::BufferUpload() piece not usable: offset=" + std::to_string(offset) +
                      ", length=" + std::to_string(length));
        return FS_ERR_BAD_ARGUMENT;
    }
    std::string head = PieceHead(pieceKey, offset, length);
    if (!AddHeader(request.Get(), PIECE_CONTENT_TYPE)) {
        LogSystemError();
        SetLastErrMsg("CHttpHelper::BufferUpload() HttpAddRequestHeaders error");
        return FS_ERR_CONTENT_TYPE_HEADER;
    }
    // A failed write shows when the request is ended.
    auto writeBody = [&]() {
        if (WriteRequestData(request.Get(), head.data(), head.size()) && WriteRequestData(request.Get(), data, length))
            WriteRequestData(request.Get(), MULTIPART_TAIL.data(), MULTIPART_TAIL.size());
        return FS_OK;
    };
    DWORD total = DWORD(head.size() + length + MULTIPART_TAIL.size());
    if (int failed =
            SendUpload(request.Get(), total, writeBody, "CHttpHelper::BufferUpload() Error on HttpSendRequestEx",
                       "CHttpHelper::BufferUpload() Error on HttpEndRequest"))
        return failed;
    if (int failed = GetResponse(request.Get(), reply)) return failed;
    LOG_DEBUG("CHttpHelper::BufferUpload() Receive:[" << reply << "], size=" << reply.size());
    return FS_OK;
}

int CHttpHelper::FileDownload(const std::string& path, const char* folder, const char* fileName) {
    std::string localPath = FilePath(folder, fileName);
    if (localPath.size() > DOWNLOAD_PATH_MAX_CHARS) {
        SetLastErrMsg("CHttpHelper::FileDownload() local path too long: " + localPath);
        return FS_ERR_BAD_ARGUMENT;
    }
    CInternetHandle request;
    if (int failed = OpenRequest("GET", path, "CHttpHelper::FileDownload()", request)) return failed;
    if (SendWithoutBody(request.Get())) {
        LOG_DEBUG("CHttpHelper::FileDownload() HttpSendRequest pass");
    } else {
        LOG_ERROR("CHttpHelper::FileDownload() HttpSendRequest error");
        LogSystemError();
    }
    REPLY_HEADERS headers;
    if (int failed = ReadReplyHeaders(request.Get(), headers)) return failed;
    if (!IsSuccessStatus(headers.status)) {
        SetErrMsgWithCode("CHttpHelper::FileDownload() HTTP response fail:dwStatusCode=", headers.status);
        return int(headers.status);
    }
    // The download replaces the whole file: no older, longer tail stays behind.
    CScopedHandle file(CreateFileA(localPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        LogSystemError();
        SetErrMsgWithCode(localPath, FS_ERR_LOCAL_FILE);
        return FS_ERR_LOCAL_FILE;
    }
    LOG_DEBUG("File " << localPath << " open successfully");
    ULONGLONG received = 0;
    int result = headers.coding == ReplyCoding::Plain
                     ? WritePlain(request.Get(), file.Get(), received)
                     : WriteFileDecompress(request.Get(), file.Get(), headers.coding, received);
    CloseLocalFile(file);
    // A body cut off early must not pass as a whole file.
    return result != FS_OK ? result : CheckLength(headers.contentLength, received);
}

int CHttpHelper::WritePlain(HINTERNET request, HANDLE file, ULONGLONG& received) {
    std::vector<char> piece(DOWNLOAD_PIECE);
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request, piece.data(), DOWNLOAD_PIECE, &read)) {
            LogSystemError();
            SetLastErrMsg("FileDownload() InternetReadFile error");
            return FS_ERR_READ;
        }
        if (read == 0) return FS_OK;
        received += read;
        if (!WritePiece(file, piece.data(), read)) return FS_ERR_LOCAL_FILE;
    }
}

int CHttpHelper::WriteFileDecompress(HINTERNET request, HANDLE file, ReplyCoding coding, ULONGLONG& received) {
    CInflater inflater(coding);
    if (int failed = inflater.InitResult()) {
        SetErrMsgWithCode("WriteFileDecompress(), inflateInit() return ret=", failed);
        return failed;
    }
    char piece[REPLY_PIECE];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request, piece, sizeof(piece), &read)) {
            LogSystemError();
            SetLastErrMsg("WriteFileDecompress() InternetReadFile error");
            return FS_ERR_READ;
        }
        if (read == 0) break;
        received += read;
        std::string inflated;
        if (int failed = inflater.Inflate(piece, read, Z_SYNC_FLUSH, inflated)) {
            SetErrMsgWithCode("WriteFileDecompress() inflate() return ret=", failed);
            return failed;
        }
        if (!inflated.empty() && !WritePiece(file, inflated.data(), DWORD(inflated.size()))) return FS_ERR_LOCAL_FILE;
    }
    if (int incomplete = inflater.EndResult()) {
        SetErrMsgWithCode("WriteFileDecompress() inflate() last return is not Z_STREAM_END, ret=", incomplete);
        return incomplete;
    }
    return FS_OK;
}

int CHttpHelper::BufferDownload(const std::string& path, unsigned long offset, void* buffer, unsigned long& length) {
    if (length == 0) return FS_OK;
    if (!IsRangeInLimits(offset, length) || !buffer) {
        SetLastErrMsg("CHttpHelper::BufferDownload() range not usable: offset=" + std::to_string(offset) +
                      ", length=" + std::to_string(length));
        return FS_ERR_BAD_ARGUMENT;
    }
    CInternetHandle request;
    if (int failed = OpenRequest("GET", path, "CHttpHelper::BufferDownload()", request)) return failed;
    if (!AddHeader(request.Get(), RangeHeader(offset, length).c_str())) {
        LogSystemError();
        SetLastErrMsg("CHttpHelper::BufferDownload() HttpAddRequestHeaders error");
        return FS_ERR_RANGE_HEADER;
    }
    if (!SendWithoutBody(request.Get())) {
        LogSystemError();
        SetLastErrMsg("CHttpHelper::BufferDownload() HttpSendRequest error");
    }
    std::string data;
    if (int failed = GetResponse(request.Get(), data)) return failed;
    if (data.size() > length) {
        // A server that ignored the range: its bytes are not the ones asked for.
        SetLastErrMsg("BufferDownload() reply longer than the range, strResponse.size()=" +
                      std::to_string(data.size()) + ", dwTransferSize=" + std::to_string(length));
        length = 0;
        return FS_ERR_LENGTH_MISMATCH;
    }
    if (data.size() == length) {
        LOG_TRACE("BufferDownload() GetResponse pass");
    } else {
        length = DWORD(data.size());
        LOG_DEBUG("BufferDownload() strResponse.size()=" << data.size() << ", dwTransferSize=" << length);
    }
    memcpy(buffer, data.data(), data.size());
    return FS_OK;
}

int CHttpHelper::GetFileInfo(const std::string& path, char* name, unsigned long nameSize, unsigned long& size,
                             char* second, char* third) {
    CInternetHandle request;
    if (int failed = OpenRequest("GET", path, "CHttpHelper::GetFileInfo()", request)) return failed;
    if (!AddHeader(request.Get(), "Range: bytes=0-0\r\n")) {
        LogSystemError();
        SetLastErrMsg("CHttpHelper::GetFileInfo() HttpAddRequestHeaders error");
        return FS_ERR_RANGE_HEADER;
    }
    if (SendWithoutBody(request.Get())) {
        LOG_TRACE("CHttpHelper::GetFileInfo() HttpSendRequest pass");
    } else {
        LogSystemError();
        SetLastErrMsg("CHttpHelper::GetFileInfo() HttpSendRequest error");
    }
    DWORD status;
    if (int failed = QueryStatus(request.Get(), status,
                                 "CHttpHelper::GetFileInfo() HttpQueryInfo(HTTP_QUERY_STATUS_CODE) error"))
        return failed;
    if (!IsSuccessStatus(status)) {
        SetErrMsgWithCode("CHttpHelper::GetFileInfo() HTTP response fail:dwStatusCode=", status);
        return int(status);
    }
    std::string range;
    uint32_t total;
    if (!QueryHeader(request.Get(), HTTP_QUERY_CONTENT_RANGE, range) || !ParseContentRangeTotal(range, total)) {
        SetLastErrMsg("CHttpHelper::GetFileInfo() HttpQueryInfo(HTTP_QUERY_CONTENT_RANGE) error");
        return FS_ERR_FILE_INFO;
    }
    std::string disposition;
    FILE_INFO_FIELDS fields;
    if (!QueryHeader(request.Get(), HTTP_QUERY_CONTENT_DISPOSITION, disposition) ||
        !SplitContentDisposition(disposition, fields)) {
        SetLastErrMsg("CHttpHelper::GetFileInfo() HttpQueryInfo(HTTP_QUERY_CONTENT_DISPOSITION) error");
        return FS_ERR_FILE_INFO;
    }
    size = total;
    CopyText(name, nameSize, fields.name);
    if (fields.second) CopyText(second, nameSize, *fields.second);
    if (fields.third) CopyText(third, nameSize, *fields.third);
    return FS_OK;
}
