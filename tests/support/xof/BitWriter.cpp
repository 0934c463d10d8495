#include "BitWriter.h"

void CBitWriter::PutBits(uint64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        if (m_bitsInLast == 8) {
            m_bytes.push_back(0);
            m_bitsInLast = 0;
        }
        if ((value >> i) & 1) m_bytes.back() |= static_cast<uint8_t>(0x80 >> m_bitsInLast);
        ++m_bitsInLast;
    }
}

void CBitWriter::PutUnsignedExpGolomb(uint64_t value) {
    uint64_t code = value + 1;
    int bits = 0;
    while ((code >> bits) > 1) ++bits;
    PutBits(0, bits);
    PutBits(code, bits + 1);
}

void CBitWriter::PutSignedExpGolomb(int64_t value) {
    PutUnsignedExpGolomb(value > 0 ? static_cast<uint64_t>(2 * value - 1) : static_cast<uint64_t>(-2 * value));
}

std::vector<uint8_t> CBitWriter::Bytes() const { return m_bytes; }
