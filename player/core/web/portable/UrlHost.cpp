#include "web/portable/UrlHost.h"

namespace {

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }

bool StartsWithNoCase(const std::u16string& text, const char16_t* prefix) {
    size_t i = 0;
    for (; prefix[i]; ++i)
        if (i >= text.size() || LowerAscii(text[i]) != prefix[i]) return false;
    return true;
}

}  // namespace

bool ParseUrlHost(const std::u16string& url, URL_HOST& host) {
    size_t start = 0;
    int defaultPort = 0;
    if (StartsWithNoCase(url, u"http://")) {
        start = 7;
        defaultPort = 80;
    } else if (StartsWithNoCase(url, u"https://")) {
        start = 8;
        defaultPort = 443;
    } else {
        return false;
    }
    size_t end = url.find_first_of(u"/?#\\", start);
    std::u16string authority = url.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start);
    size_t at = authority.rfind(u'@');
    if (at != std::u16string::npos) authority = authority.substr(at + 1);
    size_t colon = authority.rfind(u':');
    if (colon != std::u16string::npos && authority.find(u']', colon) != std::u16string::npos)
        colon = std::u16string::npos;
    std::u16string name = authority.substr(0, colon);
    if (name.empty()) return false;
    int port = defaultPort;
    if (colon != std::u16string::npos) {
        std::u16string digits = authority.substr(colon + 1);
        if (digits.empty() || digits.size() > 5) return false;
        port = 0;
        for (char16_t c : digits) {
            if (c < u'0' || c > u'9') return false;
            port = port * 10 + (c - u'0');
        }
        if (port < 1 || port > 65535) return false;
    }
    for (char16_t& c : name) c = LowerAscii(c);
    // A trailing dot names the same host.
    if (name.size() > 1 && name.back() == u'.') name.pop_back();
    host.Host = name;
    host.Port = port;
    return true;
}

bool IsSameHost(const std::u16string& url, const std::u16string& other) {
    URL_HOST a, b;
    return ParseUrlHost(url, a) && ParseUrlHost(other, b) && a.Host == b.Host && a.Port == b.Port;
}
