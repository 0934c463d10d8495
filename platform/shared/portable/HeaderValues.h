// Values of the HTTP reply headers that size a body. Portable: no platform headers;
// the texts may come as 8-bit, UTF-16 or wide characters.
#pragma once

#include <cstdint>
#include <string_view>

// A plain decimal number; false when empty, not decimal or beyond 63 bits.
bool ParseContentLength(std::string_view text, int64_t& length);
bool ParseContentLength(std::u16string_view text, int64_t& length);
bool ParseContentLength(std::wstring_view text, int64_t& length);

// A Content-Range value; -1 stands for "*" (not given).
struct CONTENT_RANGE {
    int64_t First = -1;
    int64_t Last = -1;
    int64_t Total = -1;
};

// "bytes a-b/N", "bytes a-b/*" or "bytes */N" (the unit in any case, one blank or
// more after it); false for anything else, also for a range beyond its total.
bool ParseContentRange(std::string_view text, CONTENT_RANGE& range);
bool ParseContentRange(std::u16string_view text, CONTENT_RANGE& range);
bool ParseContentRange(std::wstring_view text, CONTENT_RANGE& range);
