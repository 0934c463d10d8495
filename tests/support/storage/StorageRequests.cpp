#include "storage/StorageRequests.h"

#include <windows.h>
#include <wincrypt.h>

#include <algorithm>
#include <cstdio>

namespace {

const std::string DELIMITER = "-----------------------------7d91d42a3051e\r\n";
const std::string TAIL = "\r\n-----------------------------7d91d42a3051e--\r\n";
const std::string OCTET_STREAM = "Content-Type: application/octet-stream\r\n\r\n";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool PercentDecode(const std::string& text, std::string& out) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        int high = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
        int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
        if (high < 0 || low < 0) return false;
        out += char(high * 16 + low);
        i += 2;
    }
    return true;
}

// Reads the literal text at pos and moves past it.
bool Expect(const std::string& body, size_t& pos, const std::string& literal, std::string& why) {
    if (body.compare(pos, literal.size(), literal) == 0) {
        pos += literal.size();
        return true;
    }
    why = "expected \"" + literal + "\" at byte " + std::to_string(pos);
    return false;
}

// A form field's value up to its closing line break.
bool FieldValue(const std::string& body, size_t& pos, const char* name, std::string& value, std::string& why) {
    if (!Expect(body, pos, DELIMITER + "Content-Disposition: form-data; name=\"" + name + "\"\r\n\r\n", why))
        return false;
    size_t end = body.find("\r\n", pos);
    if (end == std::string::npos) {
        why = std::string("field ") + name + " has no line end";
        return false;
    }
    value = body.substr(pos, end - pos);
    pos = end + 2;
    return true;
}

// The data between pos and the tail, which must end the body.
bool DataToTail(const std::string& body, size_t pos, std::string& data, std::string& why) {
    if (body.size() < pos + TAIL.size() || body.compare(body.size() - TAIL.size(), TAIL.size(), TAIL) != 0) {
        why = "the body does not end with the closing delimiter";
        return false;
    }
    data = body.substr(pos, body.size() - TAIL.size() - pos);
    return true;
}

std::string SystemDigest(const std::string& data, ALG_ID algorithm) {
    HCRYPTPROV provider = 0;
    if (!CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) return "";
    std::string hex;
    HCRYPTHASH hash = 0;
    if (CryptCreateHash(provider, algorithm, 0, 0, &hash)) {
        BYTE digest[20];
        DWORD size = sizeof(digest);
        if (CryptHashData(hash, reinterpret_cast<const BYTE*>(data.data()), DWORD(data.size()), 0) &&
            CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0)) {
            char text[3];
            for (DWORD i = 0; i < size; ++i) {
                snprintf(text, sizeof(text), "%02x", digest[i]);
                hex += text;
            }
        }
        CryptDestroyHash(hash);
    }
    CryptReleaseContext(provider, 0);
    return hex;
}

}  // namespace

bool ParseParams(const std::string& text, StorageParams& params, std::string& why) {
    params.clear();
    if (text.empty()) return true;
    for (size_t start = 0; start <= text.size();) {
        size_t amp = std::min(text.find('&', start), text.size());
        std::string pair = text.substr(start, amp - start);
        size_t equals = pair.find('=');
        std::string name, value;
        if (equals == std::string::npos || !PercentDecode(pair.substr(0, equals), name) ||
            !PercentDecode(pair.substr(equals + 1), value)) {
            why = "parameter not name=value or badly escaped: " + pair;
            return false;
        }
        params.emplace_back(name, value);
        start = amp + 1;
    }
    return true;
}

bool HasParamNames(const StorageParams& params, const std::vector<std::string>& names) {
    if (params.size() != names.size()) return false;
    for (size_t i = 0; i < names.size(); ++i)
        if (params[i].first != names[i]) return false;
    return true;
}

bool CheckStandardHeaders(const HttpRequest& request, std::string& why) {
    static const std::pair<const char*, const char*> expected[] = {
        {"User-Agent", "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1; Trident/4.0)"},
        {"Accept",
         "image/bmp, image/gif, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
         "application/vnd.ms-powerpoint, application/vnd.ms-excel, application/msword, "
         "application/x-ms-application, application/x-ms-xbap, application/vnd.ms-xpsdocument, "
         "application/xaml+xml, */*"},
        {"Accept-Language", "zh-cn"},
        {"Accept-Encoding", "gzip, deflate"},
        {"Pragma", "no-cache"},
        {"Cache-Control", "no-cache"},
        {"Connection", "close"},
    };
    if (request.version != "HTTP/1.1") {
        why = "version " + request.version;
        return false;
    }
    for (const auto& header : expected) {
        if (request.Header(header.first) != header.second) {
            why = std::string(header.first) + ": " + request.Header(header.first);
            return false;
        }
    }
    return true;
}

bool ParseFileUpload(const std::string& body, std::string& fileName, std::string& data, std::string& why) {
    size_t pos = 0;
    if (!Expect(body, pos, DELIMITER + "Content-Disposition: form-data; name=\"upfile\";filename=\"", why))
        return false;
    size_t quote = body.find("\"\r\n", pos);
    if (quote == std::string::npos) {
        why = "file name without its closing quote";
        return false;
    }
    fileName = body.substr(pos, quote - pos);
    pos = quote;
    return Expect(body, pos, "\"\r\n" + OCTET_STREAM, why) && DataToTail(body, pos, data, why);
}

bool ParsePiece(const std::string& body, STORAGE_PIECE& piece, std::string& why) {
    size_t pos = 0;
    return FieldValue(body, pos, "k", piece.key, why) && FieldValue(body, pos, "rs", piece.rs, why) &&
           FieldValue(body, pos, "re", piece.re, why) &&
           Expect(body, pos,
                  DELIMITER + "Content-Disposition: form-data; name=\"chunk\"; filename=\"0\"\r\n" + OCTET_STREAM,
                  why) &&
           DataToTail(body, pos, piece.data, why);
}

std::string SystemMd5(const std::string& data) { return SystemDigest(data, CALG_MD5); }
std::string SystemSha1(const std::string& data) { return SystemDigest(data, CALG_SHA1); }
