#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "crypto/portable/StringCipher.h"

namespace {

const std::string kKey = "qTmBsLoK";

std::string TextOfLength(size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += (char)(1 + (i * 37) % 255);
    return text;
}

TEST(BlowFishTextCipherTest, RoundTripsEveryLengthWithoutZeroBytes) {
    CBlowFishEncryptAndDecrypt cipher;
    for (size_t length = 1; length <= 600; ++length) {
        std::string text = TextOfLength(length);
        std::string hex = cipher.Encrypt(text, kKey);
        ASSERT_EQ(2 * ((length + 7) / 8 * 8), hex.size()) << length;
        ASSERT_EQ(std::string::npos, hex.find_first_not_of("0123456789ABCDEF")) << hex;
        ASSERT_EQ(text, cipher.Decrypt(hex, kKey)) << length;
    }
}

TEST(BlowFishTextCipherTest, KeysAreCutOrFilledUpToEightBytes) {
    CBlowFishEncryptAndDecrypt cipher;
    EXPECT_EQ(cipher.Encrypt("secret", "abc00000"), cipher.Encrypt("secret", "abc"));
    EXPECT_EQ(cipher.Encrypt("secret", "qTmBsLoK"), cipher.Encrypt("secret", "qTmBsLoKextra"));
    EXPECT_NE(cipher.Encrypt("secret", "qTmBsLoK"), cipher.Encrypt("secret", "qTmBsLoJ"));
    EXPECT_EQ(16u, cipher.Encrypt("abc", kKey).size());
}

TEST(BlowFishTextCipherTest, DecryptOfOddInputs) {
    CBlowFishEncryptAndDecrypt cipher;
    std::string hex = cipher.Encrypt("password", kKey) + cipher.Encrypt("12", kKey);
    ASSERT_EQ(32u, hex.size());
    // Lower-case letters are no digits.
    std::string lower = hex;
    for (char& c : lower) c = (char)tolower(c);
    ASSERT_NE(lower, hex);
    EXPECT_NE("password", cipher.Decrypt(lower, kKey).substr(0, 8));
    // Eight digits or fewer give nothing.
    EXPECT_EQ("", cipher.Decrypt(hex.substr(0, 8), kKey));
    EXPECT_EQ("", cipher.Decrypt("", kKey));
    // A digit count that makes no whole number of blocks is refused.
    for (size_t n : {17u, 20u, 24u}) EXPECT_THROW(cipher.Decrypt(hex.substr(0, n), kKey), std::invalid_argument) << n;
    // An empty plain text has no block to encipher.
    EXPECT_THROW(cipher.Encrypt("", kKey), std::invalid_argument);
}

TEST(Md5TextCipherTest, DigestsInLowerCaseAndCannotBeReversed) {
    CMd5EncryptAndDecrypt md5;
    EXPECT_EQ("900150983cd24fb0d6963f7d28e17f72", md5.Encrypt("abc", "any key"));
    EXPECT_EQ(md5.Encrypt("abc", ""), md5.Encrypt("abc", "other"));
    EXPECT_EQ("", md5.Decrypt("900150983cd24fb0d6963f7d28e17f72", ""));
}

}  // namespace
