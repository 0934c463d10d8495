// Reads any input as the update service's check reply, as URL and form text to
// encode, and as the two values of the client's server line (split at the first
// newline). A reply that is taken must name only files that stay inside the program
// folder.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    UPDATE_MANIFEST manifest;
    if (ParseCheckReply(text, manifest)) {
        if (manifest.Version.size() > kMaxVersionLength) abort();
        for (const UPDATE_FILE& file : manifest.Files)
            if (!StaysInside(file.Path)) abort();
    }
    if (EscapeUrl(text).find_first_of(" \"#<>\\^`{|}") != std::string::npos) abort();
    if (PercentEncode(text).find_first_of("&=+/? ") != std::string::npos) abort();

    std::u16string widened(data, data + size);
    size_t newline = widened.find(u'\n');
    MendportUpdateAddress(widened.substr(0, newline),
                          newline == std::u16string::npos ? std::u16string() : widened.substr(newline + 1));
    return 0;
}
