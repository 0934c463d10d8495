#include "common/portable/TimeText.h"

#include <vector>

namespace {

// Leading white space, a sign and the digits up to the first other character.
long long DecimalValue(const std::u16string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9' && value < 100000000; ++i)
        value = value * 10 + (text[i] - u'0');
    return negative ? -value : value;
}

}  // namespace

int TimeTextToSeconds(const std::u16string& text) {
    if (text.empty()) return -1;
    std::vector<std::u16string> parts(1);
    for (char16_t c : text) {
        if (c == u':')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() != 3) return -1;
    long long seconds = DecimalValue(parts[0]) * 3600 + DecimalValue(parts[1]) * 60 + DecimalValue(parts[2]);
    return seconds < 0 || seconds > 0x7FFFFFFF ? -1 : (int)seconds;
}
