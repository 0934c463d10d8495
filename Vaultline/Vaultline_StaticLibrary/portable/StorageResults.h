// Results of the storage library's calls: 0 is success, positive values are an HTTP
// status or the service's result, negative values name the library step that failed.
#pragma once

constexpr int FS_OK = 0;
// A reply that was no JSON or lacked a key; the transport gives the same value for a
// body whose length differs from its Content-Length.
constexpr int FS_ERR_JSON_REPLY = 1;
constexpr int FS_ERR_LENGTH_MISMATCH = 1;

// Results of the service.
constexpr int FS_RESULT_SUCCESS = 200;
constexpr int FS_RESULT_SESSION_EXPIRED = 403;
constexpr int FS_RESULT_CONFLICT = 409;
constexpr int FS_RESULT_UNSET = 505;  // before a reply is read, and for a reply without "result"

constexpr int FS_ERR_NOT_CONNECTED = -100;
constexpr int FS_ERR_BAD_USER_OR_PASSWORD = -101;
constexpr int FS_ERR_BAD_SESSION = -102;
constexpr int FS_ERR_PICTURE_NAME_MISMATCH = -103;
constexpr int FS_ERR_CRACK_URL = -104;
constexpr int FS_ERR_INTERNET_OPEN = -105;
constexpr int FS_ERR_INTERNET_CONNECT = -106;
constexpr int FS_ERR_READ = -107;
constexpr int FS_ERR_OPEN_REQUEST = -108;
constexpr int FS_ERR_SEND_REQUEST_EX = -109;
constexpr int FS_ERR_SEND_REQUEST = -110;
constexpr int FS_ERR_END_REQUEST = -111;
constexpr int FS_ERR_FILE_INFO = -112;
constexpr int FS_ERR_CONTENT_TYPE_HEADER = -113;
constexpr int FS_ERR_RANGE_HEADER = -114;
constexpr int FS_ERR_LANGUAGE_HEADER = -115;
constexpr int FS_ERR_ENCODING_HEADER = -116;
constexpr int FS_ERR_PRAGMA_HEADER = -117;
constexpr int FS_ERR_CACHE_HEADER = -118;
constexpr int FS_ERR_CONNECTION_HEADER = -119;
// The local file of a call could not be opened, read or written.
constexpr int FS_ERR_LOCAL_FILE = -120;
// An argument that does not fit the request's text limits, or that would break the
// layout of a request (a quote or line break in a multipart field).
constexpr int FS_ERR_BAD_ARGUMENT = -121;
constexpr int FS_ERR_STATUS_QUERY = -130;
// A failure inside the library itself, such as memory running out.
constexpr int FS_ERR_INTERNAL = -131;
constexpr int FS_ERR_CONTENT_ENCODING = -132;
