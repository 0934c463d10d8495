// Character references of XML and HTML text: "&#65;", "&#x41;" and the named ones of HTML 4.
#pragma once

#include <stddef.h>

#include <string>

namespace xml {

// The text with its references replaced by their characters. References that name no
// character (unknown, too long, character 0, beyond Unicode) stay as written.
std::u16string DecodeText(const char16_t* text, size_t length);

// The characters of a named reference ("eacute" gives U+00E9); 0 when unknown. The exact
// name wins; otherwise the name is matched without regard to case, and where two names
// differ only in case the one with capital letters counts.
char16_t LookUpEntity(const char16_t* name, size_t length);

}  // namespace xml
