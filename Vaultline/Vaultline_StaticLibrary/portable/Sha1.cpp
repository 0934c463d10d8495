#include "portable/Sha1.h"

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

uint32_t LoadBig(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

}  // namespace

void CSha1::Update(const void* data, size_t size) {
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
    // Pads to 56 bytes modulo 64 and appends the bit count, big-endian.
    uint64_t bits = m_bytes * 8;
    static const uint8_t padding[64] = {0x80};
    Update(padding, (m_used < 56) ? 56 - m_used : 120 - m_used);
    uint8_t length[8];
    for (int i = 0; i < 8; ++i) length[i] = uint8_t(bits >> (56 - 8 * i));
    Update(length, sizeof(length));
    uint8_t digest[20];
    for (int i = 0; i < 20; ++i) digest[i] = uint8_t(m_state[i / 4] >> (24 - 8 * (i % 4)));
    return Hex(digest, sizeof(digest));
}
