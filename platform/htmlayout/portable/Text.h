// Text helpers of the engine core: UTF-8 and UTF-16 conversions and ASCII case.
#pragma once

#include <string>
#include <string_view>

namespace hl {

// Malformed UTF-8 becomes U+FFFD per bad byte; nothing is dropped silently.
std::u16string Utf8ToUtf16(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);
// Appends one code point as UTF-16.
void AppendCodePoint(std::u16string& out, char32_t cp);

char AsciiLower(char c);
std::string AsciiLower(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);
// Case-insensitive for ASCII letters only, as attribute names and keywords are.
bool EqualsNoCase(std::u16string_view a, std::string_view b);

bool IsSpace(char16_t c);
std::string_view Trim(std::string_view s);
std::u16string_view Trim(std::u16string_view s);

// ASCII-only narrowing for keywords and names (other characters become '?').
std::string Narrow(std::u16string_view s);
std::u16string Widen(std::string_view ascii);

}  // namespace hl
