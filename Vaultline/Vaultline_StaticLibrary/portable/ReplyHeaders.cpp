#include "portable/ReplyHeaders.h"

#include <algorithm>

#include "HeaderValues.h"

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

bool ParseContentRangeTotal(const std::string& value, uint32_t& total) {
    total = 0;
    CONTENT_RANGE range;
    if (!ParseContentRange(value, range) || range.Total < 0) return true;
    if (range.Total > UINT32_MAX) return false;
    total = uint32_t(range.Total);
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
