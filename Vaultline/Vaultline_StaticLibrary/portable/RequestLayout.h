// Texts that the storage library sends: request parameters, form bodies, the two
// multipart layouts and the Range header, and the split of the server URL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Text limits of the requests.
constexpr size_t REST_PATH_MAX_CHARS = 255;      // a request template with its parameters
constexpr size_t URL_PATH_MAX_CHARS = 1023;      // prefix, "/" and the request path
constexpr size_t UPLOAD_PATH_MAX_CHARS = 259;    // folder "\" name of an upload's local file
constexpr size_t DOWNLOAD_PATH_MAX_CHARS = 323;  // the same for a download
constexpr size_t SERVER_FILE_NAME_MAX_CHARS = 255;
constexpr size_t PIECE_KEY_MAX_CHARS = 32;
constexpr size_t FORM_BODY_MAX_CHARS = 1023;
constexpr size_t CREATE_NAME_MAX_CHARS = 128;  // the name that announces a large file
constexpr size_t SERVER_URL_MAX_SIZE = 1024;

// Headers of the two multipart requests; each keeps its own spacing.
extern const char* const UPLOAD_CONTENT_TYPE;
extern const char* const PIECE_CONTENT_TYPE;
extern const char* const FORM_CONTENT_TYPE;
// "\r\n" and the closing delimiter line: 48 bytes after the data of both layouts.
extern const std::string MULTIPART_TAIL;

// Splits the server URL at the first "/" from index 8 on: base is the scheme, host and
// port part, prefix the rest without one trailing "/". False when that "/" (or the end)
// stands at SERVER_URL_MAX_SIZE or later.
bool SplitServerUrl(const std::string& url, std::string& base, std::string& prefix);

// The request target: "/" followed by the prefix and "/" when there is one, then path.
std::string UrlPath(const std::string& prefix, const std::string& path);

// True when text can stand inside a multipart field: no quote and no line break.
bool IsMultipartSafe(const std::string& text);

// The "upfile" upload: the head up to the server file name, the text after it.
std::string FileUploadHead(const std::string& serverFileName);
extern const std::string FILE_UPLOAD_MIDDLE;

// The head of a large-file piece: fields "k", "rs" and "re", then the "chunk" part's
// headers; re is offset + length - 1 (the caller keeps it within 32 bits).
std::string PieceHead(const std::string& key, uint32_t offset, uint32_t length);

// "n=...&s=application/octet-stream&m=...&sh=...&sz=..." of a large file.
std::string LargeFileCreateBody(const std::string& name, const std::string& md5, const std::string& sha1,
                                uint32_t size);
// "k=" and the key.
std::string UploadFinishBody(const std::string& key);

// "Range: bytes=<offset>-<offset + length - 1>\r\n" (length at least 1, the end within 32 bits).
std::string RangeHeader(uint32_t offset, uint32_t length);
// True when length bytes from offset end within 32 bits and length is not 0.
bool IsRangeInLimits(uint32_t offset, uint32_t length);
