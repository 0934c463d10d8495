// MD5 (RFC 1321) and SHA-1 (FIPS 180-1), fed in pieces, written as lower-case hex.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The 64-byte block buffer and bit count that both digests share.
class CBlockDigest {
public:
    void Update(const void* data, size_t size);

protected:
    virtual ~CBlockDigest() = default;
    virtual void Compress(const uint8_t* block) = 0;
    // Pads the message and runs the last blocks; the length goes in big- or little-endian.
    void Finish(bool bigEndianLength);

    uint8_t m_block[64] = {};
    size_t m_used = 0;
    uint64_t m_bytes = 0;
};

class CMd5 : public CBlockDigest {
public:
    CMd5();
    ~CMd5() override = default;
    // 32 hexadecimal digits; the object is spent afterwards.
    std::string HexDigest();

private:
    void Compress(const uint8_t* block) override;
    uint32_t m_state[4];
};

class CSha1 : public CBlockDigest {
public:
    CSha1();
    ~CSha1() override = default;
    // 40 hexadecimal digits; the object is spent afterwards.
    std::string HexDigest();

private:
    void Compress(const uint8_t* block) override;
    uint32_t m_state[5];
};
