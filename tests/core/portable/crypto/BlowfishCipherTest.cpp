#include <gtest/gtest.h>

#include <stdexcept>

#include "CryptoTestBytes.h"
#include "crypto/portable/BlowfishCipher.h"

namespace {

struct BlowfishVector {
    const char* key;
    const char* plain;
    const char* cipher;
};

// Published Blowfish test vectors (ECB), including keys of 1 to 24 bytes.
const BlowfishVector kVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
    {"07A1133E4A0B2686", "0248D43806F67172", "1730E5778BEA1DA4"},
    {"3849674C2602319E", "51454B582DDF440A", "A25E7856CF2651EB"},
    {"04B915BA43FEB5B6", "42FD443059577FA2", "353882B109CE8F1A"},
    {"0101010101010101", "0123456789ABCDEF", "FA34EC4847B268B2"},
    {"E0FEE0FEF1FEF1FE", "0123456789ABCDEF", "C39E072D9FAC631D"},
    {"0000000000000000", "FFFFFFFFFFFFFFFF", "014933E0CDAFF6E4"},
    {"FFFFFFFFFFFFFFFF", "0000000000000000", "F21E9A77B71C49BC"},
    {"0123456789ABCDEF", "0000000000000000", "245946885754369A"},
    {"FEDCBA9876543210", "FFFFFFFFFFFFFFFF", "6B5C5A9C5D9E0A5A"},
    {"F0", "FEDCBA9876543210", "F9AD597C49DB005E"},
    {"F0E1", "FEDCBA9876543210", "E91D21C1D961A6D6"},
    {"F0E1D2C3B4A59687", "FEDCBA9876543210", "E87A244E2CC85E82"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F", "FEDCBA9876543210", "93142887EE3BE15C"},
    {"F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677", "FEDCBA9876543210", "05044B62FA52D080"},
};

class BlowfishVectorTest : public testing::TestWithParam<BlowfishVector> {};

TEST_P(BlowfishVectorTest, EcbEnciphersToThePublishedBlockAndBack) {
    const BlowfishVector& v = GetParam();
    std::vector<uint8_t> key = Bytes(v.key), block = Bytes(v.plain);
    CBlowfishCipher cipher(key.data(), key.size());
    cipher.Encrypt(block.data(), block.size(), BLOWFISH_ECB);
    EXPECT_EQ(v.cipher, Hex(block));
    cipher.Decrypt(block.data(), block.size(), BLOWFISH_ECB);
    EXPECT_EQ(v.plain, Hex(block));
}

INSTANTIATE_TEST_SUITE_P(Published, BlowfishVectorTest, testing::ValuesIn(kVectors));

// The published chained-mode vector: "7654321 Now is the time for " and its zero terminator.
struct ChainedVector {
    int mode;
    const char* cipher;  // the published bytes (CFB: the 29 bytes of the text)
};

class BlowfishChainedTest : public testing::TestWithParam<ChainedVector> {};

TEST_P(BlowfishChainedTest, ChainsFromTheInitialBlockAndDeciphersBack) {
    std::vector<uint8_t> key = Bytes("0123456789ABCDEFF0E1D2C3B4A59687");
    BLOWFISH_BLOCK chain;
    chain.Left = 0xFEDCBA98;
    chain.Right = 0x76543210;
    CBlowfishCipher cipher(key.data(), key.size(), chain);
    std::string text = "7654321 Now is the time for ";
    std::vector<uint8_t> plain(text.begin(), text.end());
    plain.resize(32);
    std::vector<uint8_t> buffer = plain;

    cipher.Encrypt(buffer.data(), buffer.size(), GetParam().mode);
    std::string expected = GetParam().cipher;
    EXPECT_EQ(expected, Hex(buffer).substr(0, expected.size()));
    // Every call starts from the initial chain block again.
    std::vector<uint8_t> again = plain;
    cipher.Encrypt(again.data(), again.size(), GetParam().mode);
    EXPECT_EQ(buffer, again);
    cipher.Decrypt(buffer.data(), buffer.size(), GetParam().mode);
    EXPECT_EQ(plain, buffer);
}

INSTANTIATE_TEST_SUITE_P(
    Published, BlowfishChainedTest,
    testing::Values(ChainedVector{BLOWFISH_CBC, "6B77B4D63006DEE605B156E27403979358DEB9E7154616D959F1652BD5FF92CC"},
                    ChainedVector{BLOWFISH_CFB, "E73214A2822139CAF26ECF6D2EB9E76E3DA3DE04D1517200519D57A6C3"}));

TEST(BlowfishCipherTest, KeysLongerThan56BytesAreCut) {
    std::vector<uint8_t> longKey(80), cutKey(56);
    for (size_t i = 0; i < longKey.size(); ++i) longKey[i] = (uint8_t)(i * 7 + 1);
    std::copy_n(longKey.begin(), 56, cutKey.begin());
    uint8_t a[8] = {1, 2, 3, 4, 5, 6, 7, 8}, b[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    CBlowfishCipher(longKey.data(), longKey.size()).Encrypt(a, 8, BLOWFISH_ECB);
    CBlowfishCipher(cutKey.data(), cutKey.size()).Encrypt(b, 8, BLOWFISH_ECB);
    EXPECT_EQ(Hex(a, 8), Hex(b, 8));
}

TEST(BlowfishCipherTest, RefusesAnEmptyKeyAndPartialBlocks) {
    uint8_t key[1] = {'k'};
    try {
        CBlowfishCipher(key, 0);
        FAIL() << "an empty key was taken";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ("Incorrect key length", e.what());
    }
    CBlowfishCipher cipher(key, 1);
    uint8_t buffer[16] = {};
    for (size_t length : {0u, 7u, 9u, 15u}) {
        for (int mode : {BLOWFISH_ECB, BLOWFISH_CBC, BLOWFISH_CFB}) {
            try {
                cipher.Encrypt(buffer, length, mode);
                FAIL() << "length " << length << " was enciphered";
            } catch (const std::invalid_argument& e) {
                EXPECT_STREQ("Incorrect buffer length", e.what());
            }
            EXPECT_THROW(cipher.Decrypt(buffer, length, mode), std::invalid_argument);
        }
    }
}

}  // namespace
