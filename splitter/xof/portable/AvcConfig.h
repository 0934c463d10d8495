// The AVC decoder configuration record: the picture size from its first sequence
// parameter set, and the parameter sets copied with their 2-byte length prefixes.
#pragma once

#include "XofFormat.h"

#include <cstddef>

// Fills profile, level, flags, width, height, aspect and the sequence header; false
// when the record or its parameter set is cut short or out of range.
bool ParseAvcConfig(const uint8_t* record, size_t size, XofStreamFormat& format);
