#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Md5Checksum.h"
#include "portable/Sha1.h"

namespace {

struct DigestCase {
    const char* name;
    std::string input;
    const char* md5;
    const char* sha1;
};

void PrintTo(const DigestCase& c, std::ostream* out) { *out << c.name; }

const uint8_t* Bytes(const std::string& text) { return reinterpret_cast<const uint8_t*>(text.data()); }

class DigestTest : public testing::TestWithParam<DigestCase> {};

TEST_P(DigestTest, MatchesKnownDigests) {
    const DigestCase& c = GetParam();
    CMD5Checksum md5;
    CSha1 sha1;
    md5.Append(Bytes(c.input), c.input.size());
    sha1.Update(c.input.data(), c.input.size());
    EXPECT_EQ(c.md5, md5.Finish());
    EXPECT_EQ(c.sha1, sha1.HexDigest());
}

// Fed in uneven pieces that straddle the 64-byte blocks, the digests stay the same.
TEST_P(DigestTest, PiecesGiveTheSameDigests) {
    const DigestCase& c = GetParam();
    CMD5Checksum md5;
    CSha1 sha1;
    size_t pieces[] = {1, 7, 63, 64, 65, 3};
    size_t at = 0;
    for (size_t i = 0; at < c.input.size(); ++i) {
        size_t take = std::min(pieces[i % 6], c.input.size() - at);
        md5.Append(Bytes(c.input) + at, take);
        sha1.Update(c.input.data() + at, take);
        at += take;
    }
    EXPECT_EQ(c.md5, md5.Finish());
    EXPECT_EQ(c.sha1, sha1.HexDigest());
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, DigestTest,
    testing::Values(
        DigestCase{"Empty", "", "d41d8cd98f00b204e9800998ecf8427e", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
        DigestCase{"OneLetter", "a", "0cc175b9c0f1b6a831c399e269772661", "86f7e437faa5a7fce15d1ddcb9eaeaea377667b8"},
        DigestCase{"Abc", "abc", "900150983cd24fb0d6963f7d28e17f72", "a9993e364706816aba3e25717850c26c9cd0d89d"},
        DigestCase{"MessageDigest", "message digest", "f96b697d7cb7938d525a2f31aaf161d0",
                   "c12252ceda8be8994d5fa0290a47231c1d16aae3"},
        DigestCase{"Alphanumeric", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
                   "d174ab98d277d9f5a5611c2c9f419d9f", "761c457bf73b14d27e9e9265c46f4b4dda11f940"},
        DigestCase{"EightyDigits",
                   std::string("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
                   "57edf4a22be3c955ac49da2e2107b67a", "50abf5706a150990a08b2c5ea40fa0e585554732"},
        DigestCase{"FipsTwoBlocks", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                   "8215ef0796a20bcaaae116d3876c664a", "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        // Lengths around the padding's limit: the length field fits the block or not.
        DigestCase{"FiftyFive", std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65",
                   "c1c8bbdc22796e28c0e15163d20899b65621d65a"},
        DigestCase{"FiftySix", std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218",
                   "c2db330f6083854c99d4b5bfb6e8f29f201be699"},
        DigestCase{"SixtyThree", std::string(63, 'a'), "b06521f39153d618550606be297466d5",
                   "03f09f5b158a7a8cdad920bddc29b81c18a551f5"},
        DigestCase{"OneBlock", std::string(64, 'a'), "014842d480b571495a4a0363793f7367",
                   "0098ba824b5c16427bd7a1122a5a442a25ec644d"},
        DigestCase{"MillionLetters", std::string(1000000, 'a'), "7707d6ae4e027c70eea2a935c2296f21",
                   "34aa973cd4c4daa4f61eeb2bdbad27316534016f"}),
    [](const testing::TestParamInfo<DigestCase>& info) { return std::string(info.param.name); });

}  // namespace
