#include "PostUrl.h"

namespace {

char16_t LowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c; }

std::u16string LowerAscii(std::u16string text) {
    for (char16_t& c : text) c = LowerAscii(c);
    return text;
}

bool StartsWithNoCase(const std::u16string& text, const std::u16string& prefix) {
    return text.size() >= prefix.size() && LowerAscii(text.substr(0, prefix.size())) == prefix;
}

}  // namespace

bool ParsePostUrl(const std::u16string& url, POST_URL_PARTS& parts) {
    parts = POST_URL_PARTS();
    std::u16string rest = url;
    if (StartsWithNoCase(rest, u"http://")) {
        rest.erase(0, 7);
    } else if (StartsWithNoCase(rest, u"https://")) {
        rest.erase(0, 8);
        parts.Secure = true;
        parts.Port = 443;
    }
    if (rest.empty() || rest[0] == u'/' || rest[0] == u':') return false;

    size_t slash = rest.find(u'/');
    std::u16string hostPart = rest.substr(0, slash);
    parts.Object = slash == std::u16string::npos ? u"/" : rest.substr(slash);

    size_t colon = hostPart.find(u':');
    if (colon != std::u16string::npos) {
        std::u16string port = hostPart.substr(colon + 1);
        if (port.empty() || port.size() > 5) return false;
        unsigned long value = 0;
        for (char16_t c : port) {
            if (c < u'0' || c > u'9') return false;
            value = value * 10 + (c - u'0');
        }
        if (value == 0 || value > 65535) return false;
        parts.Port = (unsigned short)value;
        hostPart.erase(colon);
    }
    if (hostPart.empty()) return false;
    parts.Host = LowerAscii(hostPart);
    return true;
}
