// Bytes as upper-case hexadecimal text and back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes 2 * count upper-case digits and a terminating zero.
void HexEncode(const uint8_t* bytes, char* output, size_t count);

// Decodes count bytes from the digit pairs of the text. A digit is 0-9 or A-F; a pair
// that meets any other character (or the end of the text) keeps the value built so far.
void HexDecode(const std::string& text, uint8_t* output, size_t count);
