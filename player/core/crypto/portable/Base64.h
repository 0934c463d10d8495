// Base64 (RFC 4648, standard alphabet, "=" padding, one line).
#pragma once

#include <cstddef>
#include <cstdint>

// Characters of the encoding of length bytes, without the terminator.
size_t Base64EncodedLength(size_t length);
// Writes Base64EncodedLength(length) characters and a terminating zero.
void Base64Encode(char* output, const uint8_t* input, size_t length);
