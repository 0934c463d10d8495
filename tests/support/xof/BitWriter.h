// Big-endian bit fields and Exp-Golomb codes, for building test payloads.
#pragma once

#include <cstdint>
#include <vector>

class CBitWriter {
public:
    void PutBits(uint64_t value, int count);
    void PutUnsignedExpGolomb(uint64_t value);
    void PutSignedExpGolomb(int64_t value);
    // The bytes so far, the last one padded with zero bits.
    std::vector<uint8_t> Bytes() const;

private:
    std::vector<uint8_t> m_bytes;
    int m_bitsInLast = 8;
};
