#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "portable/ReplyHeaders.h"

namespace {

struct RangeCase {
    const char* name;
    std::string value;
    bool ok;
    uint32_t total;
};

void PrintTo(const RangeCase& c, std::ostream* out) { *out << c.name; }

class ContentRangeTest : public testing::TestWithParam<RangeCase> {};

TEST_P(ContentRangeTest, ReadsTotal) {
    const RangeCase& c = GetParam();
    uint32_t total = 77;
    ASSERT_EQ(c.ok, ParseContentRangeTotal(c.value, total));
    if (c.ok) {
        EXPECT_EQ(c.total, total);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, ContentRangeTest,
    testing::Values(RangeCase{"OneByteOfFile", "bytes 0-0/5000", true, 5000},
                    RangeCase{"LongerRange", "bytes 0-999/2500", true, 2500},
                    RangeCase{"TotalOfFourGigabytesLessOne", "bytes 0-0/4294967295", true, 4294967295u},
                    RangeCase{"TotalBeyond32Bits", "bytes 0-0/4294967296", false, 0},
                    RangeCase{"UnreadableTotal", "bytes 0-0/" + std::string(400, '9'), true, 0},
                    RangeCase{"TextAfterTotal", "bytes 0-0/5000x", true, 0},
                    RangeCase{"UnknownTotal", "bytes 0-0/*", true, 0}, RangeCase{"NoSlash", "bytes 0-0", true, 0},
                    RangeCase{"SlashAtEnd", "bytes 0-0/", true, 0}, RangeCase{"Empty", "", true, 0}),
    [](const testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

struct DispositionCase {
    const char* name;
    std::string value;
    bool ok;
    const char* fileName;
    std::optional<std::string> second;
    std::optional<std::string> third;
};

void PrintTo(const DispositionCase& c, std::ostream* out) { *out << c.name; }

class ContentDispositionTest : public testing::TestWithParam<DispositionCase> {};

TEST_P(ContentDispositionTest, CutsFields) {
    const DispositionCase& c = GetParam();
    FILE_INFO_FIELDS fields;
    ASSERT_EQ(c.ok, SplitContentDisposition(c.value, fields));
    if (!c.ok) return;
    EXPECT_EQ(c.fileName, fields.name);
    EXPECT_EQ(c.second, fields.second);
    EXPECT_EQ(c.third, fields.third);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ContentDispositionTest,
    testing::Values(
        DispositionCase{"ThreeFields", "attachment; filename=crash.dmp; ct=2024-01-02; md5=abc", true, "crash.dmp",
                        "2024-01-02", "abc"},
        DispositionCase{"NameOnly", "attachment; filename=crash.dmp", true, "crash.dmp", std::nullopt, std::nullopt},
        DispositionCase{"TwoFields", "attachment; filename=a; ct=x", true, "a", "x", std::nullopt},
        DispositionCase{"FourthFieldIgnored", "attachment; filename=a; ct=x; md5=y; z=1", true, "a", "x", "y"},
        DispositionCase{"EmptyName", "attachment; filename=", true, "", std::nullopt, std::nullopt},
        // Separators near the end: the skipped characters are not there.
        DispositionCase{"SecondCutShort", "attachment; filename=a;ab", true, "a", "", std::nullopt},
        DispositionCase{"ThirdCutShort", "attachment; filename=a; ct=x;", true, "a", "x", ""},
        DispositionCase{"TooShortForAName", "attachment", false, "", std::nullopt, std::nullopt},
        DispositionCase{"Empty", "", false, "", std::nullopt, std::nullopt}),
    [](const testing::TestParamInfo<DispositionCase>& info) { return std::string(info.param.name); });

}  // namespace
