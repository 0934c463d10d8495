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
    int64_t total;  // the server's size the plan tells
    int64_t knownTotal = -1;
    const char16_t* contentType = nullptr;
    const char16_t* transferEncoding = nullptr;
};

void PrintTo(const ReplyCase& c, std::ostream* out) { *out << c.name; }

class PlanReplyTest : public testing::TestWithParam<ReplyCase> {};

TEST_P(PlanReplyTest, Plans) {
    const ReplyCase& c = GetParam();
    REPLY_PLAN plan = PlanReply({c.status, c.contentLength, c.contentRange, c.contentType, c.transferEncoding},
                                {c.downSize, c.fileSize, c.knownTotal});
    ASSERT_EQ(c.action, plan.Action);
    if (c.action == ReplyAction::Refuse || c.action == ReplyAction::Discard) return;
    EXPECT_EQ(c.offset, plan.Offset);
    EXPECT_EQ(c.remaining, plan.Remaining);
    EXPECT_EQ(c.total, plan.Total);
}

const auto W = ReplyAction::Write;
const auto C = ReplyAction::Complete;
const auto D = ReplyAction::Discard;
const auto R = ReplyAction::Refuse;
const char16_t* const kHtml = u"text/html; charset=utf-8";
const char16_t* const kChunked = u"chunked";

INSTANTIATE_TEST_SUITE_P(
    Replies, PlanReplyTest,
    testing::Values(
        ReplyCase{"FreshWhole", 200, u"5000", nullptr, 0, 5000, W, 0, 5000, 5000},
        ReplyCase{"FreshEmptyBody", 200, u"0", nullptr, 0, 5000, W, 0, 0, 0},
        // Without a length a cut body cannot be told from a whole one.
        ReplyCase{"NoContentLength", 200, nullptr, nullptr, 0, 5000, R, 0, 0, -1},
        ReplyCase{"ChunkedWithALength", 200, u"750", nullptr, 0, 1500, R, 0, 0, -1, -1, nullptr, kChunked},
        ReplyCase{"ChunkedPartialTakesTheRange", 206, u"750", u"bytes 1000-4999/5000", 1000, 5000, W, 1000, 4000, 5000,
                  -1, nullptr, kChunked},
        // A whole file in reply to a range restarts the file from byte 0, when it can be the file.
        ReplyCase{"WholeReplyToRangeRestarts", 200, u"5000", nullptr, 1000, 5000, W, 0, 5000, 5000},
        ReplyCase{"WholeReplyAsLongAsThePartial", 200, u"1000", nullptr, 1000, 5000, W, 0, 1000, 1000},
        ReplyCase{"EmptyWholeReplyToRange", 200, u"0", nullptr, 1000, 5000, R, 0, 0, -1},
        ReplyCase{"ShorterWholeReplyToRange", 200, u"999", nullptr, 1000, 5000, R, 0, 0, -1},
        ReplyCase{"PageInReplyToRange", 200, u"5000", nullptr, 1000, 5000, R, 0, 0, -1, -1, kHtml},
        ReplyCase{"PageInReplyToRangeUpperCase", 200, u"5000", nullptr, 1000, 5000, R, 0, 0, -1, -1, u"TEXT/HTML"},
        ReplyCase{"PageOfAFreshDownload", 200, u"5000", nullptr, 0, 5000, W, 0, 5000, 5000, -1, kHtml},
        ReplyCase{"OtherTypeInReplyToRange", 200, u"5000", nullptr, 1000, 5000, W, 0, 5000, 5000, -1, u"text/htmlx"},
        ReplyCase{"GarbledContentLength", 200, u"12a", nullptr, 0, 5000, R, 0, 0, -1},
        ReplyCase{"MatchingPartial", 206, u"4000", u"bytes 1000-4999/5000", 1000, 5000, W, 1000, 4000, 5000},
        ReplyCase{"PartialWithoutLength", 206, nullptr, u"bytes 1000-4999/5000", 1000, 5000, W, 1000, 4000, 5000},
        ReplyCase{"PartialUnknownTotal", 206, nullptr, u"bytes 1000-4999/*", 1000, 0, W, 1000, 4000, -1},
        ReplyCase{"PartialToTheLargestOffset", 206, nullptr, u"bytes 1-9223372036854775807/*", 1, 5000, W, 1, INT64_MAX,
                  -1},
        ReplyCase{"PartialFrom3GiB", 206, u"1000", u"bytes 3221225472-3221226471/3221226472", k3GiB, 0, W, k3GiB, 1000,
                  k3GiB + 1000},
        // A total other than the one a server announced before is another file.
        ReplyCase{"PartialOfAnotherFile", 206, u"3777777", u"bytes 1000000-4777776/4777777", 1000000, 4000000, D, 0, 0,
                  -1, 4000000},
        ReplyCase{"PartialOfTheKnownFile", 206, u"3000000", u"bytes 1000000-3999999/4000000", 1000000, 4000000, W,
                  1000000, 3000000, 4000000, 4000000},
        ReplyCase{"PartialWithoutTotalOfAKnownFile", 206, nullptr, u"bytes 1000-4999/*", 1000, 6000, W, 1000, 4000, -1,
                  6000},
        ReplyCase{"PartialAtWrongStart", 206, u"5000", u"bytes 0-4999/5000", 1000, 5000, R, 0, 0, -1},
        ReplyCase{"PartialShortOfTheEnd", 206, u"1000", u"bytes 1000-1999/5000", 1000, 5000, R, 0, 0, -1},
        ReplyCase{"PartialLengthDisagrees", 206, u"3000", u"bytes 1000-4999/5000", 1000, 5000, R, 0, 0, -1},
        ReplyCase{"PartialWithoutRange", 206, u"4000", nullptr, 1000, 5000, R, 0, 0, -1},
        ReplyCase{"PartialNotAskedFor", 206, u"5000", u"bytes 0-4999/5000", 0, 5000, R, 0, 0, -1},
        ReplyCase{"NotFoundPage", 404, u"120", nullptr, 0, 5000, R, 0, 0, -1},
        ReplyCase{"ServerErrorPage", 500, u"120", nullptr, 1000, 5000, R, 0, 0, -1},
        ReplyCase{"Redirect", 302, u"0", nullptr, 0, 5000, R, 0, 0, -1},
        ReplyCase{"UnsatisfiableWholeFile", 416, u"0", u"bytes */5000", 5000, 4194304, C, 5000, 0, 5000},
        ReplyCase{"UnsatisfiableWhole3GiB", 416, nullptr, u"bytes */3221225472", k3GiB, 0, C, k3GiB, 0, k3GiB},
        ReplyCase{"UnsatisfiableWholeKnownFile", 416, nullptr, u"bytes */5000", 5000, 5000, C, 5000, 0, 5000, 5000},
        ReplyCase{"UnsatisfiableOfAnotherFile", 416, nullptr, u"bytes */5000", 5000, 4000, D, 0, 0, -1, 4000},
        ReplyCase{"UnsatisfiableLongerOnDisk", 416, nullptr, u"bytes */4000", 5000, 5000, D, 0, 0, -1},
        ReplyCase{"UnsatisfiableServerLonger", 416, nullptr, u"bytes */6000", 5000, 5000, R, 0, 0, -1},
        ReplyCase{"UnsatisfiableNoTotalTaskWhole", 416, nullptr, nullptr, 5000, 5000, C, 5000, 0, -1},
        ReplyCase{"UnsatisfiableNoTotalTaskShort", 416, nullptr, nullptr, 5000, 6000, R, 0, 0, -1},
        ReplyCase{"UnsatisfiableWithoutRange", 416, nullptr, u"bytes */5000", 0, 0, R, 0, 0, -1}));

TEST(KnownTotalTest, OnlyASizeOfNoWholeMebibytesComesFromAServer) {
    struct {
        int64_t fileSize, known;
    } cases[] = {
        {0, -1}, {4194304, -1}, {5LL << 30, -1}, {4000000, 4000000}, {3000017, 3000017}, {k3GiB + 1, k3GiB + 1}};
    for (const auto& c : cases) EXPECT_EQ(c.known, KnownTotalOf(c.fileSize)) << c.fileSize;
}

TEST(CorrectFileSizeTest, TakesTheServerSizeWithinTenMebibytes) {
    struct {
        int64_t fileSize, offset, remaining, expected;
    } cases[] = {
        {50000000, 0, 45000000, 45000000},         // 5 MB apart: the server's figure
        {50000000, 0, 30000000, 50000000},         // 20 MB apart: the task's figure
        {50000000, 10000000, 35000000, 45000000},  // the bytes on disk count
        {10485760, 0, 0, 10485760},                // exactly 10 MiB apart is too far
        {10485759, 0, 0, 0},
        {50000000, 0, -1, 50000000},  // unknown length
        {k3GiB + 4194304, k3GiB, 1000, k3GiB + 1000},
        {50000000, 1, INT64_MAX, 50000000},  // beyond any 64-bit size
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CorrectFileSize(c.fileSize, c.offset, c.remaining)) << c.fileSize << " " << c.remaining;
}

}  // namespace
