#include "UrlEncoding.h"

namespace {

bool IsOneOf(unsigned char c, const char* set) { return std::string(set).find((char)c) != std::string::npos; }

bool IsUnreserved(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || IsOneOf(c, "-._~");
}

// What separates a URL's parts and may stand in it as it is.
bool IsUrlPunctuation(unsigned char c) { return IsOneOf(c, "!$&'()*+,/:;=?@[]"); }

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// keep(text, i): the byte at i may stand as it is.
template <typename Keep>
std::string Encode(const std::string& text, Keep keep) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string encoded;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = (unsigned char)text[i];
        if (keep(text, i)) {
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

std::string PercentEncode(const std::string& bytes) {
    return Encode(bytes, [](const std::string& text, size_t i) { return IsUnreserved((unsigned char)text[i]); });
}

std::string EscapeUrl(const std::string& url) {
    return Encode(url, [](const std::string& text, size_t i) {
        unsigned char c = (unsigned char)text[i];
        bool escape = c == '%' && i + 2 < text.size() && IsHexDigit(text[i + 1]) && IsHexDigit(text[i + 2]);
        return IsUnreserved(c) || IsUrlPunctuation(c) || escape;
    });
}
