// Reading of the file-information reply's headers, within their bounds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The total of a Content-Range value such as "bytes 0-0/5000"; 0 when the value names
// none ("*") or cannot be read. False when the total does not fit 32 bits.
bool ParseContentRangeTotal(const std::string& value, uint32_t& total);

// Content-Disposition cut at its fixed places: the name from character 21 (just past
// "attachment; filename=") to the first ";"; when a ";" ended it, the second field
// from 5 characters after it to the next ";"; when a ";" ended that, the third from
// 6 characters after it. A field whose ";" is missing stays empty (not set).
struct FILE_INFO_FIELDS {
    std::string name;
    std::optional<std::string> second;
    std::optional<std::string> third;
};
// False when the value is too short to hold a name.
bool SplitContentDisposition(const std::string& value, FILE_INFO_FIELDS& fields);
