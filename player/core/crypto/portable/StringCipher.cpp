#include "crypto/portable/StringCipher.h"

#include <algorithm>
#include <vector>

#include "crypto/portable/BlowfishCipher.h"
#include "crypto/portable/HexText.h"
#include "Md5Checksum.h"

namespace {

constexpr size_t kKeyLength = 8;

// The first eight key bytes; missing ones (and zero bytes) become "0".
CBlowfishCipher MakeCipher(const std::string& key) {
    uint8_t bytes[kKeyLength] = {};
    std::copy_n(key.begin(), std::min(key.size(), kKeyLength), bytes);
    for (uint8_t& b : bytes)
        if (b == 0) b = '0';
    return CBlowfishCipher(bytes, kKeyLength);
}

}  // namespace

std::string CBlowFishEncryptAndDecrypt::Encrypt(const std::string& text, const std::string& key) {
    std::vector<uint8_t> buffer((text.size() + 7) / 8 * 8);
    std::copy(text.begin(), text.end(), buffer.begin());
    MakeCipher(key).Encrypt(buffer.data(), buffer.size(), BLOWFISH_ECB);
    std::string hex(2 * buffer.size() + 1, '\0');
    HexEncode(buffer.data(), &hex[0], buffer.size());
    hex.pop_back();
    return hex;
}

std::string CBlowFishEncryptAndDecrypt::Decrypt(const std::string& hexText, const std::string& key) {
    size_t n = hexText.size();
    if ((n + 7) / 8 * 8 <= 15) return std::string();
    size_t cipherLength = (n + 7) / 8 * 4;
    std::vector<uint8_t> buffer(std::max(cipherLength, (n + 1) / 2));
    HexDecode(hexText, buffer.data(), (n + 1) / 2);
    MakeCipher(key).Decrypt(buffer.data(), cipherLength, BLOWFISH_ECB);
    auto end = std::find(buffer.begin(), buffer.begin() + cipherLength, 0);
    return std::string(buffer.begin(), end);
}

std::string CMd5EncryptAndDecrypt::Encrypt(const std::string& text, const std::string&) {
    return Md5HexOfBuffer(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

std::string CMd5EncryptAndDecrypt::Decrypt(const std::string&, const std::string&) { return std::string(); }
