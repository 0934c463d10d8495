// The MD5 digest (RFC 1321), written as 32 lower-case hexadecimal digits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CMD5Checksum {
public:
    CMD5Checksum();
    virtual ~CMD5Checksum() = default;

    void Append(const uint8_t* bytes, size_t count);
    // Pads, appends the bit count and formats the digest; the object is spent afterwards.
    std::string Finish();

private:
    void Transform(const uint8_t* block);

    uint32_t m_state[4];
    uint32_t m_bitCount[2];  // low word first
    uint8_t m_buffer[64];
};

std::string Md5HexOfBuffer(const uint8_t* bytes, size_t count);
// Writes the 32 digits and a terminating zero into output (33 bytes).
void Md5HexOfText(const uint8_t* bytes, size_t count, char* output);
