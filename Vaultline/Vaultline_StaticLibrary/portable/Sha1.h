// SHA-1 (FIPS 180-1), fed in pieces, written as lower-case hex. MD5 comes from the
// player's CMD5Checksum.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CSha1 {
public:
    void Update(const void* data, size_t size);
    // 40 hexadecimal digits; the object is spent afterwards.
    std::string HexDigest();

private:
    void Compress(const uint8_t* block);

    uint32_t m_state[5] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476, 0xc3d2e1f0};
    uint8_t m_block[64] = {};
    size_t m_used = 0;
    uint64_t m_bytes = 0;
};
