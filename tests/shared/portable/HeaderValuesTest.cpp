#include <gtest/gtest.h>

#include <string>

#include "HeaderValues.h"

namespace {

struct LengthCase {
    const char* text;
    bool ok;
    int64_t value;
};

void PrintTo(const LengthCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class ContentLengthTest : public testing::TestWithParam<LengthCase> {};

// The same value read from 8-bit, UTF-16 and wide text.
TEST_P(ContentLengthTest, ReadsPlainDecimalNumbersOnly) {
    const LengthCase& c = GetParam();
    std::string narrow = c.text;
    std::u16string utf16(narrow.begin(), narrow.end());
    std::wstring wide(narrow.begin(), narrow.end());
    int64_t values[3] = {-7, -7, -7};
    EXPECT_EQ(c.ok, ParseContentLength(narrow, values[0]));
    EXPECT_EQ(c.ok, ParseContentLength(utf16, values[1]));
    EXPECT_EQ(c.ok, ParseContentLength(wide, values[2]));
    for (int64_t value : values) EXPECT_EQ(c.ok ? c.value : -7, value);
}

INSTANTIATE_TEST_SUITE_P(Texts, ContentLengthTest,
                         testing::Values(LengthCase{"0", true, 0}, LengthCase{"2500", true, 2500},
                                         LengthCase{"4294967296", true, 4294967296LL},
                                         LengthCase{"9223372036854775807", true, INT64_MAX},
                                         LengthCase{"9223372036854775808", false, 0},
                                         LengthCase{"18446744073709551616", false, 0}, LengthCase{"", false, 0},
                                         LengthCase{"-1", false, 0}, LengthCase{"+1", false, 0},
                                         LengthCase{" 12", false, 0}, LengthCase{"12 ", false, 0},
                                         LengthCase{"12abc", false, 0}, LengthCase{"0x10", false, 0}));

TEST(ContentLengthTest, RefusesManyDigitsAndInnerZeros) {
    int64_t value = -7;
    EXPECT_FALSE(ParseContentLength(std::string(400, '9'), value));
    EXPECT_FALSE(ParseContentLength(std::string("12\0"
                                                "3",
                                                4),
                                    value));
    EXPECT_EQ(-7, value);
}

struct RangeCase {
    const char* text;
    bool ok;
    int64_t first, last, total;
};

void PrintTo(const RangeCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class ContentRangeTest : public testing::TestWithParam<RangeCase> {};

TEST_P(ContentRangeTest, Parses) {
    const RangeCase& c = GetParam();
    std::string narrow = c.text;
    std::u16string utf16(narrow.begin(), narrow.end());
    std::wstring wide(narrow.begin(), narrow.end());
    CONTENT_RANGE ranges[3];
    ASSERT_EQ(c.ok, ParseContentRange(narrow, ranges[0]));
    ASSERT_EQ(c.ok, ParseContentRange(utf16, ranges[1]));
    ASSERT_EQ(c.ok, ParseContentRange(wide, ranges[2]));
    for (const CONTENT_RANGE& range : ranges) {
        EXPECT_EQ(c.ok ? c.first : -1, range.First);
        EXPECT_EQ(c.ok ? c.last : -1, range.Last);
        EXPECT_EQ(c.ok ? c.total : -1, range.Total);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ContentRangeTest,
    testing::Values(RangeCase{"bytes 0-499/1234", true, 0, 499, 1234}, RangeCase{"bytes 0-0/5000", true, 0, 0, 5000},
                    RangeCase{"bytes 0-0/5000000000", true, 0, 0, 5000000000LL},
                    RangeCase{"Bytes  500-1233/*", true, 500, 1233, -1}, RangeCase{"bytes */1234", true, -1, -1, 1234},
                    RangeCase{"bytes 9223372036854775806-9223372036854775806/9223372036854775807", true,
                              9223372036854775806LL, 9223372036854775806LL, 9223372036854775807LL},
                    RangeCase{"bytes */*", false, 0, 0, 0}, RangeCase{"bytes 500-499/1234", false, 0, 0, 0},
                    RangeCase{"bytes 0-1234/1234", false, 0, 0, 0},
                    RangeCase{"bytes 0-99999999999999999999/*", false, 0, 0, 0},
                    RangeCase{"bytes -5/1234", false, 0, 0, 0}, RangeCase{"bytes 0-499/1234x", false, 0, 0, 0},
                    RangeCase{"bytes 0-0", false, 0, 0, 0}, RangeCase{"bytes 0-0/", false, 0, 0, 0},
                    RangeCase{"items 0-499/1234", false, 0, 0, 0}, RangeCase{"bytes0-499/1234", false, 0, 0, 0},
                    RangeCase{"byte", false, 0, 0, 0}, RangeCase{"", false, 0, 0, 0}));

}  // namespace
