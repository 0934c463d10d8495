// Percent-encoding of URLs and form values. Portable: no platform headers.
#pragma once

#include <string>

// Every byte but ASCII letters, digits and "-._~" becomes "%XX": a query or form value.
std::string PercentEncode(const std::string& bytes);

// The URL with every byte that may not stand in a URL as it is ("%XX"): controls,
// spaces, bytes from 0x80 and "\"#%<>\\^`{|}". The URL's own punctuation stays, and
// so does a "%" that begins an escape already ("%" and two hex digits).
std::string EscapeUrl(const std::string& url);
