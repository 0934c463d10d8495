// The storage library's HTTP client over WinINet, bound to one server for its life.
//
// It connects once when built; each call then runs one request with its own request
// handle and returns FS_OK, an HTTP status other than 200 and 206, or a negative code
// of the step that failed (portable/StorageResults.h). Requests carry the fixed
// user agent, accepted types and standard headers; paths are the service's request
// templates with their parameters put in, at most REST_PATH_MAX_CHARS characters.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <functional>
#include <string>

#include "portable/Inflater.h"

// Flags of SetRequestHeader; every request of the library passes all three.
constexpr unsigned HEADER_ACCEPT_ENCODING = 1;
constexpr unsigned HEADER_NO_CACHE = 2;
constexpr unsigned HEADER_CONNECTION_CLOSE = 4;

class CInternetHandle;

class CHttpHelper {
public:
    // Connects to the scheme, host and port of serverUrl; the rest of it is the prefix
    // of every request path. A failure leaves the object without a connection.
    explicit CHttpHelper(const std::string& serverUrl);
    ~CHttpHelper();
    CHttpHelper(const CHttpHelper&) = delete;
    CHttpHelper& operator=(const CHttpHelper&) = delete;

    int InitialConnection(const std::string& schemeHostPort);
    int CloseConnection();
    bool IsConnected() const { return m_connection != nullptr; }
    int SetRequestHeader(HINTERNET request, unsigned flags);

    int RequestGet(const std::string& path, std::string& reply);
    // A form post (application/x-www-form-urlencoded) of at most FORM_BODY_MAX_CHARS.
    int RequestPost(const std::string& path, const std::string& body, std::string& reply);
    // Multipart upload of folder\fileName as part "upfile" named serverFileName.
    int FileUpload(const std::string& path, const char* folder, const char* fileName, const char* serverFileName,
                   std::string& reply);
    // Multipart upload of one large-file piece: length bytes that belong at offset.
    int BufferUpload(const std::string& path, const char* key, const void* data, unsigned long length,
                     unsigned long offset, std::string& reply);
    // Writes the reply body into folder\fileName, replacing what the file held. A body
    // shorter or longer than its Content-Length gives FS_ERR_LENGTH_MISMATCH.
    int FileDownload(const std::string& path, const char* folder, const char* fileName);
    // Reads length bytes from offset into buffer; length becomes the count received.
    // A length of 0 asks for nothing; a reply longer than asked is refused.
    int BufferDownload(const std::string& path, unsigned long offset, void* buffer, unsigned long& length);
    // Headers of a one-byte range request: the total size from Content-Range, and the
    // name, second and third fields of Content-Disposition. Each field is cut to
    // nameSize - 1 characters and terminated, so second and third need nameSize bytes.
    int GetFileInfo(const std::string& path, char* name, unsigned long nameSize, unsigned long& size, char* second,
                    char* third);

    // Status, decoding and length check of one reply, read into reply.
    int GetResponse(HINTERNET request, std::string& reply);
    // Inflates the reply body into the open file; received counts the coded bytes.
    int WriteFileDecompress(HINTERNET request, HANDLE file, ReplyCoding coding, ULONGLONG& received);

private:
    // Opens a request for the prefixed path and adds the standard headers.
    int OpenRequest(const char* verb, const std::string& path, const char* caller, CInternetHandle& request);
    // Announces total bytes, lets writeBody send them, then ends the request.
    int SendUpload(HINTERNET request, DWORD total, const std::function<int()>& writeBody, const char* sendError,
                   const char* endError);
    int WritePlain(HINTERNET request, HANDLE file, ULONGLONG& received);

    std::string m_prefix;
    HINTERNET m_session = nullptr;
    HINTERNET m_connection = nullptr;
    DWORD m_requestFlags = 0;
};
