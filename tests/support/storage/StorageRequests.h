// How the loopback storage service reads the storage library's requests: parameters,
// form fields and the two multipart layouts, each checked byte for byte. A reader
// that returns false names the first difference in why.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "http/LoopbackHttpServer.h"

using StorageParams = std::vector<std::pair<std::string, std::string>>;

// "a=1&b=%20" as decoded pairs, in order; only %XX escapes are decoded.
bool ParseParams(const std::string& text, StorageParams& params, std::string& why);
// True when params has exactly these names in this order.
bool HasParamNames(const StorageParams& params, const std::vector<std::string>& names);

// The headers that every request of the library carries.
bool CheckStandardHeaders(const HttpRequest& request, std::string& why);

// The "upfile" upload body.
bool ParseFileUpload(const std::string& body, std::string& fileName, std::string& data, std::string& why);

struct STORAGE_PIECE {
    std::string key;
    std::string rs;
    std::string re;
    std::string data;
};
// The body of one large-file piece.
bool ParsePiece(const std::string& body, STORAGE_PIECE& piece, std::string& why);

// Lower-case hexadecimal MD5 and SHA-1 by the system's cryptographic provider.
std::string SystemMd5(const std::string& data);
std::string SystemSha1(const std::string& data);
