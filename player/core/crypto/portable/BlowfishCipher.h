// The Blowfish block cipher (64-bit blocks, big-endian halves) in ECB, CBC and CFB mode.
#pragma once

#include <cstddef>
#include <cstdint>

enum {
    BLOWFISH_ECB = 0,
    BLOWFISH_CBC = 1,
    BLOWFISH_CFB = 2,
};

struct BLOWFISH_BLOCK {
    uint32_t Left = 0;
    uint32_t Right = 0;
};

class CBlowfishCipher {
public:
    // Keys of 1 to 56 bytes (longer ones are cut to 56); an empty key throws
    // std::invalid_argument "Incorrect key length". CBC and CFB start every call
    // from the initial chain block.
    CBlowfishCipher(const uint8_t* key, size_t keyLength, BLOWFISH_BLOCK initialChain = BLOWFISH_BLOCK());

    // Work in place on whole blocks; a length of 0 or not a multiple of 8 throws
    // std::invalid_argument "Incorrect buffer length".
    void Encrypt(uint8_t* buffer, size_t length, int mode) const;
    void Decrypt(uint8_t* buffer, size_t length, int mode) const;

private:
    static const uint32_t kPiP[18];
    static const uint32_t kPiS[4][256];

    uint32_t Round(uint32_t x) const;
    void EncryptBlock(BLOWFISH_BLOCK& block) const;
    void DecryptBlock(BLOWFISH_BLOCK& block) const;

    uint32_t m_p[18];
    uint32_t m_s[4][256];
    BLOWFISH_BLOCK m_chain;
};
