#include <gtest/gtest.h>

#include <string>

#include "Utf8Text.h"

namespace {

struct TextCase {
    const char* name;
    std::string utf8;
    std::wstring wide;
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class Utf8TextTest : public testing::TestWithParam<TextCase> {};

TEST_P(Utf8TextTest, DecodesAndEncodesBothWays) {
    EXPECT_EQ(GetParam().wide, DecodeUtf8(GetParam().utf8));
    EXPECT_EQ(GetParam().utf8, EncodeUtf8(GetParam().wide));
}

INSTANTIATE_TEST_SUITE_P(Texts, Utf8TextTest,
                         testing::Values(TextCase{"Empty", "", L""}, TextCase{"Ascii", "abc 123", L"abc 123"},
                                         TextCase{"Chinese", "\xE4\xB8\xAD\xE6\x96\x87", L"\x4E2D\x6587"},
                                         TextCase{"BeyondTheBasicPlane", "\xF0\x9F\x98\x80", L"\xD83D\xDE00"},
                                         TextCase{"InnerZero", std::string("a\0b", 3), std::wstring(L"a\0b", 3)}),
                         [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(Utf8TextTest, BytesThatAreNoUtf8BecomeReplacementCharacters) {
    EXPECT_EQ(
        L"a\xFFFD"
        L"b",
        DecodeUtf8("a\xFF"
                   "b"));
    EXPECT_EQ(L"\xFFFD", DecodeUtf8("\xE4\xB8"));
}

TEST(Utf8TextTest, LoneSurrogatesBecomeReplacementCharacters) { EXPECT_EQ("a\xEF\xBF\xBD", EncodeUtf8(L"a\xD800")); }

}  // namespace
