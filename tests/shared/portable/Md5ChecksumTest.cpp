#include <gtest/gtest.h>

#include <string>

#include "Md5Checksum.h"

namespace {

const uint8_t* Data(const std::string& text) { return reinterpret_cast<const uint8_t*>(text.data()); }

struct Md5Vector {
    const char* text;
    const char* digest;
};

// The test suite of RFC 1321.
const Md5Vector kRfcSuite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

class Md5VectorTest : public testing::TestWithParam<Md5Vector> {};

TEST_P(Md5VectorTest, DigestsTheRfcSuite) {
    std::string text = GetParam().text;
    EXPECT_EQ(GetParam().digest, Md5HexOfBuffer(Data(text), text.size()));
    char output[33];
    memset(output, 'x', sizeof(output));
    Md5HexOfText(Data(text), text.size(), output);
    EXPECT_STREQ(GetParam().digest, output);
}

INSTANTIATE_TEST_SUITE_P(Rfc1321, Md5VectorTest, testing::ValuesIn(kRfcSuite));

TEST(Md5ChecksumTest, PiecesOfAnySizeGiveTheDigestOfTheWhole) {
    std::string text;
    for (int i = 0; i < 1000; ++i) text += (char)('A' + i % 53);
    std::string whole = Md5HexOfBuffer(Data(text), text.size());
    for (size_t piece : {1u, 55u, 56u, 63u, 64u, 65u, 127u}) {
        CMD5Checksum digest;
        for (size_t at = 0; at < text.size(); at += piece)
            digest.Append(Data(text) + at, std::min(piece, text.size() - at));
        EXPECT_EQ(whole, digest.Finish()) << "pieces of " << piece;
    }
}

TEST(Md5ChecksumTest, OneMillionLettersKeepTheBitCount) {
    std::string block(1000, 'a');
    CMD5Checksum digest;
    for (int i = 0; i < 1000; ++i) digest.Append(Data(block), block.size());
    EXPECT_EQ("7707d6ae4e027c70eea2a935c2296f21", digest.Finish());
}

}  // namespace
