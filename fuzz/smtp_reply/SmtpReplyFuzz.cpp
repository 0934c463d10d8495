// Server replies read the way the client reads them (growing by pieces until whole),
// and any text through the body's dot-stuffing and Base64.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "SmtpText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    for (size_t received = 0; received <= size; ++received) {
        if (!SmtpReplyComplete(text, received)) continue;
        const int code = SmtpReplyCode(text, received);
        if (code < -1 || code > 999) abort();
        if (text[received - 1] != '\n') abort();
        break;
    }
    const std::string body(text, size);
    const std::string stuffed = SmtpDotStuff(body);
    // No line of the stuffed text is a lone ".".
    if (stuffed == "." || stuffed.compare(0, 3, ".\r\n") == 0 || stuffed.find("\n.\r\n") != std::string::npos ||
        (stuffed.size() >= 2 && stuffed.compare(stuffed.size() - 2, 2, "\n.") == 0))
        abort();
    const std::string encoded = SmtpBase64Encode(data, size);
    if (encoded.size() != (size + 2) / 3 * 4) abort();
    for (char c : encoded)
        if (!isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '/' && c != '=') abort();
    return 0;
}
