#include "SmtpText.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char ALPHABET[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

bool SmtpReplyComplete(const char* data, size_t size) {
    if (size < 2 || data[size - 2] != '\r' || data[size - 1] != '\n') return false;
    size_t start = size - 2;
    while (start > 0 && data[start - 1] != '\n') --start;
    const size_t length = size - 2 - start;
    return !(length >= 4 && data[start + 3] == '-');
}

int SmtpReplyCode(const char* data, size_t size) {
    if (size < 3 || !IsDigit(data[0]) || !IsDigit(data[1]) || !IsDigit(data[2])) return -1;
    return (data[0] - '0') * 100 + (data[1] - '0') * 10 + (data[2] - '0');
}

std::string SmtpBase64Encode(const unsigned char* data, size_t size) {
    std::string out;
    out.reserve((size + 2) / 3 * 4);
    for (size_t i = 0; i < size; i += 3) {
        const unsigned long triple =
            (unsigned long)data[i] << 16 | (i + 1 < size ? data[i + 1] << 8 : 0) | (i + 2 < size ? data[i + 2] : 0);
        out += ALPHABET[triple >> 18 & 63];
        out += ALPHABET[triple >> 12 & 63];
        out += i + 1 < size ? ALPHABET[triple >> 6 & 63] : '=';
        out += i + 2 < size ? ALPHABET[triple & 63] : '=';
    }
    return out;
}

std::string SmtpDotStuff(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && c == '.') out += '.';
        out += c;
        lineStart = c == '\n';
    }
    return out;
}
