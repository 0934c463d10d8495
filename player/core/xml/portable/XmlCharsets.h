// Windows code pages of the usual IANA character set names.
#pragma once

#include <stddef.h>

namespace xml {

// The code page of a charset name (matched without regard to case); 0 for a name the
// table does not know.
unsigned CodePageOfCharset(const char16_t* name, size_t length);

}  // namespace xml
