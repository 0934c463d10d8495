#include <gtest/gtest.h>

#include <string>

#include "UrlEncoding.h"

namespace {

TEST(UrlEncodingTest, KeepsTheUrlsPunctuationAndEncodesTheRest) {
    EXPECT_EQ("http://h:81/p/q?app=a&version=1.0", EscapeUrl("http://h:81/p/q?app=a&version=1.0"));
    EXPECT_EQ("http://h/p?app=%D3%B0%20%25%23%22x", EscapeUrl("http://h/p?app=\xd3\xb0 %#\"x"));
    EXPECT_EQ("%00%09%7F", EscapeUrl(std::string("\0\t\x7f", 3)));
}

TEST(UrlEncodingTest, EscapesAlreadyInTheUrlStayAsTheyAre) {
    // Values a caller encoded: "&" and "=" in them must not reach the service as separators.
    EXPECT_EQ("http://h/p?app=a%26b%3Dc&version=1%2E0", EscapeUrl("http://h/p?app=a%26b%3Dc&version=1%2E0"));
    EXPECT_EQ("%25zz%25a%25", EscapeUrl("%zz%a%"));
    EXPECT_EQ("%d3%B0", EscapeUrl("%d3%B0"));
}

struct EncodeCase {
    const char* name;
    std::string text;
    const char* encoded;
};

void PrintTo(const EncodeCase& c, std::ostream* out) { *out << c.name; }

class PercentEncodeTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(PercentEncodeTest, Encodes) { EXPECT_EQ(GetParam().encoded, PercentEncode(GetParam().text)); }

INSTANTIATE_TEST_SUITE_P(Texts, PercentEncodeTest,
                         testing::Values(EncodeCase{"Plain", "Abc-1.2_x~", "Abc-1.2_x~"},
                                         EncodeCase{"Blank", "my name", "my%20name"},
                                         EncodeCase{"QuerySigns", "a&b=c", "a%26b%3Dc"},
                                         EncodeCase{"Percent", "100%s", "100%25s"},
                                         EncodeCase{"PlusAndSlash", "+/?#", "%2B%2F%3F%23"},
                                         EncodeCase{"AnsiBytes", "\xD6\xD0\xCE\xC4", "%D6%D0%CE%C4"},
                                         EncodeCase{"LineBreak", "a\r\nb", "a%0D%0Ab"},
                                         EncodeCase{"Utf8Bytes", "Images/a\xe6\x92\xad", "Images%2Fa%E6%92%AD"},
                                         EncodeCase{"Empty", "", ""}),
                         [](const testing::TestParamInfo<EncodeCase>& info) { return std::string(info.param.name); });

}  // namespace
