#include <gtest/gtest.h>

#include "download/portable/DownloadReply.h"

namespace {

constexpr int64_t k3GiB = 3221225472LL;

struct ReplyCase {
    const char* name;
    int status;
    const char16_t* contentLength;
    const char16_t* contentRange;
    int64_t downSize;
    int64_t fileSize;
    ReplyAction action;
    int64_t offset;
    int64_t remaining;
};

void PrintTo(const ReplyCase& c, std::ostream* out) { *out << c.name; }

class PlanReplyTest : public testing::TestWithParam<ReplyCase> {};

TEST_P(PlanReplyTest, Plans) {
    const ReplyCase& c = GetParam();
    REPLY_PLAN plan = PlanReply({c.status, c.contentLength, c.contentRange}, c.downSize, c.fileSize);
    ASSERT_EQ(c.action, plan.Action);
    if (c.action == ReplyAction::Refuse || c.action == ReplyAction::Discard) return;
    EXPECT_EQ(c.offset, plan.Offset);
    EXPECT_EQ(c.remaining, plan.Remaining);
}

const auto W = ReplyAction::Write;
const auto C = ReplyAction::Complete;
const auto D = ReplyAction::Discard;
const auto R = ReplyAction::Refuse;

INSTANTIATE_TEST_SUITE_P(
    Replies, PlanReplyTest,
    testing::Values(
        ReplyCase{"FreshWhole", 200, u"5000", nullptr, 0, 5000, W, 0, 5000},
        ReplyCase{"FreshEmptyBody", 200, u"0", nullptr, 0, 5000, W, 0, 0},
        ReplyCase{"NoContentLengthReadsToEnd", 200, nullptr, nullptr, 0, 5000, W, 0, -1},
        // A whole file in reply to a range restarts the file from byte 0.
        ReplyCase{"WholeReplyToRangeRestarts", 200, u"5000", nullptr, 1000, 5000, W, 0, 5000},
        ReplyCase{"GarbledContentLength", 200, u"12a", nullptr, 0, 5000, R, 0, 0},
        ReplyCase{"MatchingPartial", 206, u"4000", u"bytes 1000-4999/5000", 1000, 5000, W, 1000, 4000},
        ReplyCase{"PartialWithoutLength", 206, nullptr, u"bytes 1000-4999/5000", 1000, 5000, W, 1000, 4000},
        ReplyCase{"PartialUnknownTotal", 206, nullptr, u"bytes 1000-4999/*", 1000, 0, W, 1000, 4000},
        ReplyCase{"PartialToTheLargestOffset", 206, nullptr, u"bytes 1-9223372036854775807/*", 1, 5000, W, 1,
                  INT64_MAX},
        ReplyCase{"PartialFrom3GiB", 206, u"1000", u"bytes 3221225472-3221226471/3221226472", k3GiB, 0, W, k3GiB, 1000},
        ReplyCase{"PartialAtWrongStart", 206, u"5000", u"bytes 0-4999/5000", 1000, 5000, R, 0, 0},
        ReplyCase{"PartialShortOfTheEnd", 206, u"1000", u"bytes 1000-1999/5000", 1000, 5000, R, 0, 0},
        ReplyCase{"PartialLengthDisagrees", 206, u"3000", u"bytes 1000-4999/5000", 1000, 5000, R, 0, 0},
        ReplyCase{"PartialWithoutRange", 206, u"4000", nullptr, 1000, 5000, R, 0, 0},
        ReplyCase{"PartialNotAskedFor", 206, u"5000", u"bytes 0-4999/5000", 0, 5000, R, 0, 0},
        ReplyCase{"NotFoundPage", 404, u"120", nullptr, 0, 5000, R, 0, 0},
        ReplyCase{"ServerErrorPage", 500, u"120", nullptr, 1000, 5000, R, 0, 0},
        ReplyCase{"Redirect", 302, u"0", nullptr, 0, 5000, R, 0, 0},
        ReplyCase{"UnsatisfiableWholeFile", 416, u"0", u"bytes */5000", 5000, 4194304, C, 5000, 0},
        ReplyCase{"UnsatisfiableWhole3GiB", 416, nullptr, u"bytes */3221225472", k3GiB, 0, C, k3GiB, 0},
        ReplyCase{"UnsatisfiableLongerOnDisk", 416, nullptr, u"bytes */4000", 5000, 5000, D, 0, 0},
        ReplyCase{"UnsatisfiableServerLonger", 416, nullptr, u"bytes */6000", 5000, 5000, R, 0, 0},
        ReplyCase{"UnsatisfiableNoTotalTaskWhole", 416, nullptr, nullptr, 5000, 5000, C, 5000, 0},
        ReplyCase{"UnsatisfiableNoTotalTaskShort", 416, nullptr, nullptr, 5000, 6000, R, 0, 0},
        ReplyCase{"UnsatisfiableWithoutRange", 416, nullptr, u"bytes */5000", 0, 0, R, 0, 0}));

TEST(CorrectFileSizeTest, TakesTheServerSizeWithinTenMebibytes) {
    struct {
        int64_t fileSize, offset, remaining, expected;
    } cases[] = {
        {50000000, 0, 45000000, 45000000},           // 5 MB apart: the server's figure
        {50000000, 0, 30000000, 50000000},           // 20 MB apart: the task's figure
        {50000000, 10000000, 35000000, 45000000},    // the bytes on disk count
        {10485760, 0, 0, 10485760},                  // exactly 10 MiB apart is too far
        {10485759, 0, 0, 0},
        {50000000, 0, -1, 50000000},                 // unknown length
        {k3GiB + 4194304, k3GiB, 1000, k3GiB + 1000},
        {50000000, 1, INT64_MAX, 50000000},          // beyond any 64-bit size
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CorrectFileSize(c.fileSize, c.offset, c.remaining)) << c.fileSize << " " << c.remaining;
}

}  // namespace
