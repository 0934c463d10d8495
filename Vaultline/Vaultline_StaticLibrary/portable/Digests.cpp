#include "portable/Digests.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t RotateLeft(uint32_t value, int bits) { return (value << bits) | (value >> (32 - bits)); }

std::string Hex(const uint8_t* bytes, size_t count) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

uint32_t LoadLittle(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint32_t LoadBig(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

}  // namespace

void CBlockDigest::Update(const void* data, size_t size) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    m_bytes += size;
    while (size > 0) {
        if (m_used == 0 && size >= sizeof(m_block)) {
            Compress(bytes);
            bytes += sizeof(m_block);
            size -= sizeof(m_block);
            continue;
        }
        size_t take = std::min(size, sizeof(m_block) - m_used);
        memcpy(m_block + m_used, bytes, take);
        m_used += take;
        bytes += take;
        size -= take;
        if (m_used == sizeof(m_block)) {
            Compress(m_block);
            m_used = 0;
        }
    }
}

void CBlockDigest::Finish(bool bigEndianLength) {
    uint64_t bits = m_bytes * 8;
    static const uint8_t padding[64] = {0x80};
    size_t padBytes = (m_used < 56) ? 56 - m_used : 120 - m_used;
    Update(padding, padBytes);
    uint8_t length[8];
    for (int i = 0; i < 8; ++i) {
        int shift = bigEndianLength ? 56 - 8 * i : 8 * i;
        length[i] = uint8_t(bits >> shift);
    }
    Update(length, sizeof(length));
}

CMd5::CMd5() : m_state{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476} {}

void CMd5::Compress(const uint8_t* block) {
    static const uint32_t sines[64] = {
        0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
        0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
        0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
        0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
        0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
        0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
        0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
        0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
    static const int shifts[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};
    uint32_t words[16];
    for (int i = 0; i < 16; ++i) words[i] = LoadLittle(block + 4 * i);
    uint32_t a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3];
    for (int i = 0; i < 64; ++i) {
        int round = i / 16;
        uint32_t f;
        int g;
        switch (round) {
        case 0: f = (b & c) | (~b & d); g = i; break;
        case 1: f = (d & b) | (~d & c); g = (5 * i + 1) % 16; break;
        case 2: f = b ^ c ^ d; g = (3 * i + 5) % 16; break;
        default: f = c ^ (b | ~d); g = (7 * i) % 16; break;
        }
        uint32_t next = b + RotateLeft(a + f + sines[i] + words[g], shifts[round][i % 4]);
        a = d;
        d = c;
        c = b;
        b = next;
    }
    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
}

std::string CMd5::HexDigest() {
    Finish(false);
    uint8_t digest[16];
    for (int i = 0; i < 16; ++i) digest[i] = uint8_t(m_state[i / 4] >> (8 * (i % 4)));
    return Hex(digest, sizeof(digest));
}

CSha1::CSha1() : m_state{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476, 0xc3d2e1f0} {}

void CSha1::Compress(const uint8_t* block) {
    uint32_t words[80];
    for (int i = 0; i < 16; ++i) words[i] = LoadBig(block + 4 * i);
    for (int i = 16; i < 80; ++i) words[i] = RotateLeft(words[i - 3] ^ words[i - 8] ^ words[i - 14] ^ words[i - 16], 1);
    uint32_t a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3], e = m_state[4];
    for (int i = 0; i < 80; ++i) {
        uint32_t f, k;
        if (i < 20) {
            f = (b & c) | (~b & d);
            k = 0x5a827999;
        } else if (i < 40) {
            f = b ^ c ^ d;
            k = 0x6ed9eba1;
        } else if (i < 60) {
            f = (b & c) | (b & d) | (c & d);
            k = 0x8f1bbcdc;
        } else {
            f = b ^ c ^ d;
            k = 0xca62c1d6;
        }
        uint32_t next = RotateLeft(a, 5) + f + e + k + words[i];
        e = d;
        d = c;
        c = RotateLeft(b, 30);
        b = a;
        a = next;
    }
    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
    m_state[4] += e;
}

std::string CSha1::HexDigest() {
    Finish(true);
    uint8_t digest[20];
    for (int i = 0; i < 20; ++i) digest[i] = uint8_t(m_state[i / 4] >> (24 - 8 * (i % 4)));
    return Hex(digest, sizeof(digest));
}
