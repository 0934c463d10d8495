#include "UrlResolve.h"

#include <vector>

namespace {

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// The length of a leading "scheme:" (two characters at least, so "C:" is no scheme); 0 when none.
size_t SchemeLength(const std::u16string& text) {
    if (text.empty() || !IsAsciiLetter(text[0])) return 0;
    for (size_t i = 1; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u':') return i >= 2 ? i + 1 : 0;
        if (!IsAsciiLetter(c) && !(c >= u'0' && c <= u'9') && c != u'+' && c != u'-' && c != u'.') return 0;
    }
    return 0;
}

// The path with its "." and ".." segments applied.
std::u16string RemoveDotSegments(const std::u16string& path, char16_t separator) {
    std::vector<std::u16string> kept;
    size_t start = 0;
    bool absolute = !path.empty() && path[0] == separator;
    if (absolute) start = 1;
    bool trailing = false;
    while (start <= path.size()) {
        size_t end = path.find(separator, start);
        if (end == std::u16string::npos) end = path.size();
        std::u16string segment = path.substr(start, end - start);
        trailing = segment == u"." || segment == u"..";
        if (segment == u"..") {
            if (!kept.empty()) kept.pop_back();
        } else if (segment != u".") {
            kept.push_back(segment);
        }
        start = end + 1;
    }
    std::u16string joined = absolute ? std::u16string(1, separator) : std::u16string();
    for (size_t i = 0; i < kept.size(); ++i) {
        if (i) joined += separator;
        joined += kept[i];
    }
    if (trailing && (joined.empty() || joined.back() != separator)) joined += separator;
    return joined;
}

// A file has no query or fragment: the reference's are dropped.
std::u16string ResolveLocal(const std::u16string& base, std::u16string reference) {
    reference = reference.substr(0, reference.find_first_of(u"?#"));
    for (char16_t& c : reference)
        if (c == u'/') c = u'\\';
    size_t end = base.find_first_of(u"?#");
    std::u16string path = base.substr(0, end);
    if (reference.empty()) return path;
    if (reference[0] == u'\\') return path.substr(0, 2) + reference;  // the base's drive
    std::u16string folder = path.substr(0, path.find_last_of(u"\\/") + 1);
    // The drive or share stays; only what follows it takes dot segments.
    size_t rootLength = folder.rfind(u"\\\\", 0) == 0 ? folder.find(u'\\', folder.find(u'\\', 2) + 1) + 1 : 3;
    if (rootLength == 0 || rootLength > folder.size()) rootLength = folder.size();
    for (char16_t& c : folder)
        if (c == u'/') c = u'\\';
    return folder.substr(0, rootLength) + RemoveDotSegments(folder.substr(rootLength) + reference, u'\\');
}

}  // namespace

bool IsLocalPath(const std::u16string& text) {
    if (text.size() >= 3 && IsAsciiLetter(text[0]) && text[1] == u':' && (text[2] == u'\\' || text[2] == u'/'))
        return true;
    return text.rfind(u"\\\\", 0) == 0;
}

std::u16string ResolveReference(const std::u16string& base, const std::u16string& reference) {
    if (base.empty() || SchemeLength(reference)) return reference;
    if (IsLocalPath(reference)) return reference;
    if (IsLocalPath(base)) return ResolveLocal(base, reference);
    size_t scheme = SchemeLength(base);
    if (!scheme) return reference;
    if (reference.rfind(u"//", 0) == 0) return base.substr(0, scheme) + reference;
    // Where the authority ends and the path starts.
    size_t pathStart = scheme;
    if (base.compare(scheme, 2, u"//") == 0) {
        pathStart = base.find_first_of(u"/?#", scheme + 2);
        if (pathStart == std::u16string::npos) pathStart = base.size();
    }
    std::u16string origin = base.substr(0, pathStart);
    size_t queryStart = base.find_first_of(u"?#", pathStart);
    std::u16string path =
        base.substr(pathStart, queryStart == std::u16string::npos ? std::u16string::npos : queryStart - pathStart);
    if (reference.empty()) return base.substr(0, base.find(u'#'));
    if (reference[0] == u'#') return base.substr(0, base.find(u'#')) + reference;
    if (reference[0] == u'?') return origin + path + reference;
    size_t tail = reference.find_first_of(u"?#");
    std::u16string referencePath = reference.substr(0, tail);
    std::u16string rest = tail == std::u16string::npos ? std::u16string() : reference.substr(tail);
    std::u16string merged;
    if (referencePath[0] == u'/') {
        merged = referencePath;
    } else {
        size_t slash = path.rfind(u'/');
        merged = (slash == std::u16string::npos ? std::u16string(u"/") : path.substr(0, slash + 1)) + referencePath;
    }
    return origin + RemoveDotSegments(merged, u'/') + rest;
}
