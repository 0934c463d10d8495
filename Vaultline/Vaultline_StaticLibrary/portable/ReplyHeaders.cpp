#include "portable/ReplyHeaders.h"

#include <algorithm>

namespace {

constexpr size_t NAME_START = 21;
constexpr size_t SECOND_SKIP = 5;
constexpr size_t THIRD_SKIP = 6;

// The text from start to the next ";" (or the end); next becomes that ";" or npos.
std::string FieldFrom(const std::string& value, size_t start, size_t& next) {
    start = std::min(start, value.size());
    next = value.find(';', start);
    return value.substr(start, next == std::string::npos ? std::string::npos : next - start);
}

}  // namespace

bool ParseContentLength(const std::string& value, uint64_t& length) {
    if (value.empty()) return false;
    uint64_t number = 0;
    for (char c : value) {
        if (c < '0' || c > '9' || number > (UINT64_MAX - (c - '0')) / 10) return false;
        number = number * 10 + (c - '0');
    }
    length = number;
    return true;
}

bool ParseContentRangeTotal(const std::string& value, uint32_t& total) {
    total = 0;
    size_t slash = value.rfind('/');
    if (slash == std::string::npos) return true;
    uint64_t number = 0;
    for (size_t i = slash + 1; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        number = number * 10 + (value[i] - '0');
        if (number > UINT32_MAX) return false;
    }
    total = uint32_t(number);
    return true;
}

bool SplitContentDisposition(const std::string& value, FILE_INFO_FIELDS& fields) {
    if (value.size() < NAME_START) return false;
    size_t next;
    fields.name = FieldFrom(value, NAME_START, next);
    if (next == std::string::npos) return true;
    fields.second = FieldFrom(value, next + SECOND_SKIP, next);
    if (next == std::string::npos) return true;
    fields.third = FieldFrom(value, next + THIRD_SKIP, next);
    return true;
}
