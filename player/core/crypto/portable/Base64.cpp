#include "crypto/portable/Base64.h"

namespace {
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

size_t Base64EncodedLength(size_t length) { return (length + 2) / 3 * 4; }

void Base64Encode(char* output, const uint8_t* input, size_t length) {
    for (size_t i = 0; i < length; i += 3) {
        size_t left = length - i;
        uint32_t group = (uint32_t)input[i] << 16;
        if (left > 1) group |= (uint32_t)input[i + 1] << 8;
        if (left > 2) group |= input[i + 2];
        *output++ = kAlphabet[group >> 18];
        *output++ = kAlphabet[(group >> 12) & 0x3F];
        *output++ = left > 1 ? kAlphabet[(group >> 6) & 0x3F] : '=';
        *output++ = left > 2 ? kAlphabet[group & 0x3F] : '=';
    }
    *output = 0;
}
