#include "Md5Checksum.h"

#include <cstring>

namespace {

// floor(|sin(i + 1)| * 2^32)
const uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

// Left rotations of the four rounds.
const int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

uint32_t RotateLeft(uint32_t x, int n) { return x << n | x >> (32 - n); }

}  // namespace

CMD5Checksum::CMD5Checksum() : m_state{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476}, m_bitCount{0, 0}, m_buffer{} {}

void CMD5Checksum::Transform(const uint8_t* block) {
    uint32_t x[16];
    for (int i = 0; i < 16; ++i)
        x[i] = (uint32_t)block[4 * i] | (uint32_t)block[4 * i + 1] << 8 | (uint32_t)block[4 * i + 2] << 16 |
               (uint32_t)block[4 * i + 3] << 24;
    uint32_t a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3];
    for (int step = 0; step < 64; ++step) {
        int round = step / 16;
        uint32_t f;
        int index;
        switch (round) {
            case 0:
                f = (b & c) | (~b & d);
                index = step;
                break;
            case 1:
                f = (b & d) | (c & ~d);
                index = (5 * step + 1) % 16;
                break;
            case 2:
                f = b ^ c ^ d;
                index = (3 * step + 5) % 16;
                break;
            default:
                f = c ^ (b | ~d);
                index = (7 * step) % 16;
                break;
        }
        uint32_t next = b + RotateLeft(a + f + kSine[step] + x[index], kShift[round][step % 4]);
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

void CMD5Checksum::Append(const uint8_t* bytes, size_t count) {
    size_t used = (m_bitCount[0] >> 3) & 0x3F;
    uint32_t bits = (uint32_t)(count << 3);
    m_bitCount[0] += bits;
    if (m_bitCount[0] < bits) ++m_bitCount[1];
    m_bitCount[1] += (uint32_t)((uint64_t)count >> 29);

    while (count > 0) {
        size_t take = 64 - used < count ? 64 - used : count;
        memcpy(m_buffer + used, bytes, take);
        used += take;
        bytes += take;
        count -= take;
        if (used == 64) {
            Transform(m_buffer);
            used = 0;
        }
    }
}

std::string CMD5Checksum::Finish() {
    uint8_t length[8];
    for (int i = 0; i < 4; ++i) {
        length[i] = (uint8_t)(m_bitCount[0] >> (8 * i));
        length[4 + i] = (uint8_t)(m_bitCount[1] >> (8 * i));
    }
    size_t used = (m_bitCount[0] >> 3) & 0x3F;
    size_t padding = used < 56 ? 56 - used : 120 - used;
    uint8_t pad[120] = {0x80};
    Append(pad, padding);
    Append(length, sizeof(length));

    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (uint32_t word : m_state)
        for (int i = 0; i < 4; ++i) {
            uint8_t byte = (uint8_t)(word >> (8 * i));
            text += kDigits[byte >> 4];
            text += kDigits[byte & 0x0F];
        }
    return text;
}

std::string Md5HexOfBuffer(const uint8_t* bytes, size_t count) {
    CMD5Checksum digest;
    digest.Append(bytes, count);
    return digest.Finish();
}

void Md5HexOfText(const uint8_t* bytes, size_t count, char* output) {
    std::string text = Md5HexOfBuffer(bytes, count);
    memcpy(output, text.c_str(), text.size() + 1);
}
