#include "crypto/portable/HexText.h"

namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

void HexEncode(const uint8_t* bytes, char* output, size_t count) {
    static const char kDigits[] = "0123456789ABCDEF";
    for (size_t i = 0; i < count; ++i) {
        *output++ = kDigits[bytes[i] >> 4];
        *output++ = kDigits[bytes[i] & 0x0F];
    }
    *output = 0;
}

void HexDecode(const std::string& text, uint8_t* output, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        int value = 0;
        for (size_t k = 2 * i; k < 2 * i + 2 && k < text.size(); ++k) {
            int digit = DigitValue(text[k]);
            if (digit < 0) break;
            value = value * 16 + digit;
        }
        output[i] = (uint8_t)value;
    }
}
