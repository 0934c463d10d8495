#include <gtest/gtest.h>

#include "CryptoTestBytes.h"
#include "crypto/portable/DesCbc.h"

namespace {

std::vector<uint8_t> Encipher(const std::vector<uint8_t>& key, const std::vector<uint8_t>& iv,
                              const std::vector<uint8_t>& plain) {
    std::vector<uint8_t> out(DesCbcEncryptWithKey(key.data(), iv.data(), nullptr, plain.data(), plain.size()));
    EXPECT_EQ(out.size(), DesCbcEncryptWithKey(key.data(), iv.data(), out.data(), plain.data(), plain.size()));
    return out;
}

struct DesVector {
    const char* key;
    const char* plain;
    const char* cipher;
};

// Published single-block DES vectors; one block of CBC with a zero vector is the block cipher.
const DesVector kBlocks[] = {
    {"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
    {"0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"},
    {"0E329232EA6D0D73", "8787878787878787", "0000000000000000"},
    {"0101010101010101", "8000000000000000", "95F8A5E5DD31D900"},
    {"0101010101010101", "4000000000000000", "DD7F121CA5015619"},
    {"8001010101010101", "0000000000000000", "95A8D72813DAA94D"},
    {"4001010101010101", "0000000000000000", "0EEC1487DD8C26D5"},
};

class DesBlockTest : public testing::TestWithParam<DesVector> {};

TEST_P(DesBlockTest, EnciphersThePublishedBlock) {
    std::vector<uint8_t> out = Encipher(Bytes(GetParam().key), std::vector<uint8_t>(8), Bytes(GetParam().plain));
    ASSERT_EQ(16u, out.size());
    EXPECT_EQ(GetParam().cipher, Hex(out).substr(0, 16));
}

INSTANTIATE_TEST_SUITE_P(Published, DesBlockTest, testing::ValuesIn(kBlocks));

TEST(DesCbcTest, ChainsBlocksAsThePublishedCbcExample) {
    std::string text = "Now is the time for all ";
    std::vector<uint8_t> out =
        Encipher(Bytes("0123456789ABCDEF"), Bytes("1234567890ABCDEF"), std::vector<uint8_t>(text.begin(), text.end()));
    ASSERT_EQ(32u, out.size());
    EXPECT_EQ("E5C7CDDE872BF27C43E934008C389C0F683788499A7C05F6", Hex(out).substr(0, 48));
}

// PKCS #5: the last block holds the text's tail and then padding bytes that count
// themselves. It equals one block enciphered on its own, chained from the block before.
TEST(DesCbcTest, PadsWithOneToEightBytesThatHoldTheirCount) {
    std::vector<uint8_t> key = Bytes("0123456789ABCDEF"), iv = Bytes("1234567890ABCDEF");
    for (size_t length : {0u, 1u, 3u, 7u, 8u, 15u, 16u, 17u}) {
        SCOPED_TRACE(length);
        std::vector<uint8_t> plain(length);
        for (size_t i = 0; i < length; ++i) plain[i] = (uint8_t)('a' + i);
        std::vector<uint8_t> out = Encipher(key, iv, plain);
        size_t padding = 8 - length % 8;
        ASSERT_EQ(length + padding, out.size());
        ASSERT_EQ(out.size(), DesCbcCipherLength(length));

        size_t lastStart = out.size() - 8;
        std::vector<uint8_t> lastPlain(plain.begin() + lastStart, plain.end());
        lastPlain.resize(8, (uint8_t)padding);
        std::vector<uint8_t> chain =
            lastStart == 0 ? iv : std::vector<uint8_t>(out.begin() + lastStart - 8, out.begin() + lastStart);
        std::vector<uint8_t> alone = Encipher(key, chain, lastPlain);
        EXPECT_EQ(Hex(alone).substr(0, 16), Hex(out).substr(2 * lastStart));
    }
}

TEST(DesCbcTest, TheTokenCipherUsesItsFixedKeyAndVector) {
    std::string text = "20240101120000/{uid:1}";
    std::vector<uint8_t> plain(text.begin(), text.end());
    std::vector<uint8_t> fixed(DesCbcEncrypt(nullptr, plain.data(), plain.size()));
    ASSERT_EQ(24u, fixed.size());
    EXPECT_EQ(24u, DesCbcEncrypt(fixed.data(), plain.data(), plain.size()));
    std::string key = "3q!8r&19", iv = "k7Hb2P41";
    EXPECT_EQ(Hex(fixed), Hex(Encipher(std::vector<uint8_t>(key.begin(), key.end()),
                                       std::vector<uint8_t>(iv.begin(), iv.end()), plain)));
}

}  // namespace
