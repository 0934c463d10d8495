// Reads any input as the update service's check reply, as URL and form text to
// encode, and as the two values of the client's server line (split at the first
// newline). A reply that is taken must name only files that stay inside the program
// folder.
#include <ctype.h>
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "MendportAddress.h"
#include "UpdateManifest.h"
#include "UrlEncoding.h"

namespace {

// An oracle of its own: no part is empty, "." or "..", and no drive or "\" anywhere.
bool StaysInside(const std::string& path) {
    if (path.find_first_of(":\\") != std::string::npos) return false;
    std::string wrapped = "/" + path + "/";
    return wrapped.find("//") == std::string::npos && wrapped.find("/./") == std::string::npos &&
           wrapped.find("/../") == std::string::npos;
}

// An oracle of its own for the plain device names: no part is one, whatever follows a dot.
bool NamesNoDevice(const std::string& path) {
    size_t start = 0;
    for (;;) {
        size_t end = path.find('/', start);
        std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string base = part.substr(0, part.find('.'));
        while (!base.empty() && base.back() == ' ') base.pop_back();
        for (char& c : base) c = (char)toupper((unsigned char)c);
        bool numbered = base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
                        base[3] >= '1' && base[3] <= '9';
        if (numbered || base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return false;
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

// Every "%" of an escaped URL begins an escape.
bool EscapesOnly(const std::string& url) {
    for (size_t at = url.find('%'); at != std::string::npos; at = url.find('%', at + 1))
        if (at + 2 >= url.size() || !isxdigit((unsigned char)url[at + 1]) || !isxdigit((unsigned char)url[at + 2]))
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    UPDATE_MANIFEST manifest;
    if (ParseCheckReply(text, manifest)) {
        if (manifest.Version.size() > kMaxVersionLength) abort();
        // What the signature covers is the reply up to its signature line.
        if (manifest.Newer &&
            (manifest.Signature.empty() || text.compare(0, manifest.SignedText.size(), manifest.SignedText) != 0))
            abort();
        for (const UPDATE_FILE& file : manifest.Files)
            if (!StaysInside(file.Path) || !NamesNoDevice(file.Path) || file.Sha256.size() != 32) abort();
    }
    std::string escaped = EscapeUrl(text);
    if (escaped.find_first_of(" \"#<>\\^`{|}") != std::string::npos || !EscapesOnly(escaped)) abort();
    if (PercentEncode(text).find_first_of("&=+/? ") != std::string::npos) abort();

    std::u16string widened(data, data + size);
    size_t newline = widened.find(u'\n');
    MendportUpdateAddress(widened.substr(0, newline),
                          newline == std::u16string::npos ? std::u16string() : widened.substr(newline + 1));
    return 0;
}
