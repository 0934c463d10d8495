// Percent-encoding of query values in the system's ANSI code page.
#pragma once

#include <afx.h>

// Every byte becomes "%XX"; with encodeAll off, ASCII letters and digits stay and
// white-space bytes become "+".
CString UrlEncode(const CString& text, bool encodeAll);
