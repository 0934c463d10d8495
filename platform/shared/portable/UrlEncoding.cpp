#include "UrlEncoding.h"

namespace {

bool IsOneOf(unsigned char c, const char* set) { return std::string(set).find((char)c) != std::string::npos; }

bool IsUnreserved(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || IsOneOf(c, "-._~");
}

// What separates a URL's parts and may stand in it as it is.
bool IsUrlPunctuation(unsigned char c) { return IsOneOf(c, "!$&'()*+,/:;=?@[]"); }

template <typename Keep>
std::string Encode(const std::string& text, Keep keep) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : text) {
        if (keep(c)) {
            encoded += (char)c;
        } else {
            encoded += '%';
            encoded += kDigits[c >> 4];
            encoded += kDigits[c & 0x0F];
        }
    }
    return encoded;
}

}  // namespace

std::string PercentEncode(const std::string& bytes) { return Encode(bytes, IsUnreserved); }

std::string EscapeUrl(const std::string& url) {
    return Encode(url, [](unsigned char c) { return IsUnreserved(c) || IsUrlPunctuation(c); });
}
