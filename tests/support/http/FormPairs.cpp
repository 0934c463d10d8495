#include "http/FormPairs.h"

#include <algorithm>

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string PercentDecode(const std::string& text) {
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            bytes += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            bytes += (char)(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

std::map<std::string, std::string> ParsePairs(const std::string& text) {
    std::map<std::string, std::string> pairs;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = std::min(text.find('&', start), text.size());
        std::string pair = text.substr(start, end - start);
        size_t equals = pair.find('=');
        if (!pair.empty())
            pairs.emplace(PercentDecode(pair.substr(0, equals)),
                          equals == std::string::npos ? "" : PercentDecode(pair.substr(equals + 1)));
        start = end + 1;
    }
    return pairs;
}
