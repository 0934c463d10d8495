// Hexadecimal texts of the published test vectors as bytes, and back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline std::vector<uint8_t> Bytes(const std::string& hex) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back((uint8_t)std::stoul(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

inline std::string Hex(const uint8_t* bytes, size_t count) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

inline std::string Hex(const std::vector<uint8_t>& bytes) { return Hex(bytes.data(), bytes.size()); }
