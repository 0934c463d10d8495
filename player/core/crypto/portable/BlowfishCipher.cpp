#include "crypto/portable/BlowfishCipher.h"

#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

constexpr size_t kBlockSize = 8;
constexpr size_t kMaxKeyLength = 56;

BLOWFISH_BLOCK ReadBlock(const uint8_t* bytes) {
    BLOWFISH_BLOCK block;
    block.Left = (uint32_t)bytes[0] << 24 | (uint32_t)bytes[1] << 16 | (uint32_t)bytes[2] << 8 | bytes[3];
    block.Right = (uint32_t)bytes[4] << 24 | (uint32_t)bytes[5] << 16 | (uint32_t)bytes[6] << 8 | bytes[7];
    return block;
}

void WriteBlock(const BLOWFISH_BLOCK& block, uint8_t* bytes) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = (uint8_t)(block.Left >> (24 - 8 * i));
        bytes[4 + i] = (uint8_t)(block.Right >> (24 - 8 * i));
    }
}

BLOWFISH_BLOCK Xor(const BLOWFISH_BLOCK& a, const BLOWFISH_BLOCK& b) {
    BLOWFISH_BLOCK result;
    result.Left = a.Left ^ b.Left;
    result.Right = a.Right ^ b.Right;
    return result;
}

void CheckLength(size_t length) {
    if (length == 0 || length % kBlockSize != 0) throw std::invalid_argument("Incorrect buffer length");
}

}  // namespace

CBlowfishCipher::CBlowfishCipher(const uint8_t* key, size_t keyLength, BLOWFISH_BLOCK initialChain)
    : m_chain(initialChain) {
    if (!key || keyLength == 0) throw std::invalid_argument("Incorrect key length");
    if (keyLength > kMaxKeyLength) keyLength = kMaxKeyLength;
    memcpy(m_p, kPiP, sizeof(m_p));
    memcpy(m_s, kPiS, sizeof(m_s));

    size_t k = 0;
    for (uint32_t& word : m_p) {
        uint32_t data = 0;
        for (int i = 0; i < 4; ++i) {
            data = data << 8 | key[k];
            k = (k + 1) % keyLength;
        }
        word ^= data;
    }
    BLOWFISH_BLOCK block;
    for (int i = 0; i < 18; i += 2) {
        EncryptBlock(block);
        m_p[i] = block.Left;
        m_p[i + 1] = block.Right;
    }
    for (auto& box : m_s)
        for (int i = 0; i < 256; i += 2) {
            EncryptBlock(block);
            box[i] = block.Left;
            box[i + 1] = block.Right;
        }
}

uint32_t CBlowfishCipher::Round(uint32_t x) const {
    return ((m_s[0][x >> 24] + m_s[1][(x >> 16) & 0xFF]) ^ m_s[2][(x >> 8) & 0xFF]) + m_s[3][x & 0xFF];
}

void CBlowfishCipher::EncryptBlock(BLOWFISH_BLOCK& block) const {
    uint32_t left = block.Left, right = block.Right;
    for (int i = 0; i < 16; ++i) {
        left ^= m_p[i];
        right ^= Round(left);
        std::swap(left, right);
    }
    std::swap(left, right);
    block.Right = right ^ m_p[16];
    block.Left = left ^ m_p[17];
}

void CBlowfishCipher::DecryptBlock(BLOWFISH_BLOCK& block) const {
    uint32_t left = block.Left, right = block.Right;
    for (int i = 17; i > 1; --i) {
        left ^= m_p[i];
        right ^= Round(left);
        std::swap(left, right);
    }
    std::swap(left, right);
    block.Right = right ^ m_p[1];
    block.Left = left ^ m_p[0];
}

void CBlowfishCipher::Encrypt(uint8_t* buffer, size_t length, int mode) const {
    CheckLength(length);
    BLOWFISH_BLOCK chain = m_chain;
    for (size_t offset = 0; offset < length; offset += kBlockSize) {
        BLOWFISH_BLOCK block = ReadBlock(buffer + offset);
        if (mode == BLOWFISH_CBC) {
            block = Xor(block, chain);
            EncryptBlock(block);
            chain = block;
        } else if (mode == BLOWFISH_CFB) {
            EncryptBlock(chain);
            block = Xor(block, chain);
            chain = block;
        } else {
            EncryptBlock(block);
        }
        WriteBlock(block, buffer + offset);
    }
}

void CBlowfishCipher::Decrypt(uint8_t* buffer, size_t length, int mode) const {
    CheckLength(length);
    BLOWFISH_BLOCK chain = m_chain;
    for (size_t offset = 0; offset < length; offset += kBlockSize) {
        BLOWFISH_BLOCK cipher = ReadBlock(buffer + offset);
        BLOWFISH_BLOCK block = cipher;
        if (mode == BLOWFISH_CBC) {
            DecryptBlock(block);
            block = Xor(block, chain);
            chain = cipher;
        } else if (mode == BLOWFISH_CFB) {
            EncryptBlock(chain);
            block = Xor(cipher, chain);
            chain = cipher;
        } else {
            DecryptBlock(block);
        }
        WriteBlock(block, buffer + offset);
    }
}
