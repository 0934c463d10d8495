// Text ciphers with a key over 8-bit texts: Blowfish for the remembered account
// secrets, MD5 for the signatures of the member calls.
#pragma once

#include <string>

class IStringEncryptAndDecrypt {
public:
    virtual ~IStringEncryptAndDecrypt() = default;
    virtual std::string Decrypt(const std::string& text, const std::string& key) = 0;
    virtual std::string Encrypt(const std::string& text, const std::string& key) = 0;
};

// Blowfish in ECB mode with the key made 8 bytes long (cut, or filled up with "0");
// the plain text is padded with zero bytes to whole blocks.
class CBlowFishEncryptAndDecrypt : public IStringEncryptAndDecrypt {
public:
    // Upper-case hexadecimal cipher text; an empty text throws std::invalid_argument.
    std::string Encrypt(const std::string& text, const std::string& key) override;
    // The plain text up to its first zero byte; empty for 8 digits or fewer.
    // Throws std::invalid_argument when the digits make no whole number of blocks.
    std::string Decrypt(const std::string& hexText, const std::string& key) override;
};

class CMd5EncryptAndDecrypt : public IStringEncryptAndDecrypt {
public:
    // The digest as 32 lower-case hexadecimal digits; the key is not used.
    std::string Encrypt(const std::string& text, const std::string& key) override;
    // A digest cannot be reversed: always empty.
    std::string Decrypt(const std::string& text, const std::string& key) override;
};
