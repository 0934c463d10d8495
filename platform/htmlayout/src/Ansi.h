// Conversions at the interface: 8-bit selectors in the ANSI code page.
#pragma once

#include <string>

namespace hlwin {

// Text in the thread's ANSI code page as UTF-8 (null gives an empty text).
std::string AnsiToUtf8(const char* text);

}  // namespace hlwin
