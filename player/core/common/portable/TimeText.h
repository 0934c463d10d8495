// Play times written "hh:mm:ss". Portable: no platform headers.
#pragma once

#include <string>

// Hours * 3600 + minutes * 60 + seconds of a text of exactly three parts split at
// ":", each read as a decimal integer; -1 for the empty text or another count of parts.
int TimeTextToSeconds(const std::u16string& text);
