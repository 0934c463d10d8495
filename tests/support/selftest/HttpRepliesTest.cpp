#include <gtest/gtest.h>

#include <zlib.h>

#include "http/HttpReplies.h"

namespace {

std::string ReadAll(const ByteSource& source) {
    std::string bytes(source.size, '\0');
    if (source.size) source.read(0, &bytes[0], bytes.size());
    return bytes;
}

std::string PatternBytes(uint64_t first, uint64_t count) {
    std::string bytes;
    for (uint64_t i = 0; i < count; ++i) bytes += PatternByte(first + i);
    return bytes;
}

std::string HeaderOf(const HttpReply& reply, const std::string& name) {
    HttpRequest asRequest;
    asRequest.headers = reply.headers;
    return asRequest.Header(name);
}

struct RangeCase {
    const char* name;
    const char* range;  // null: no Range header
    int status;
    const char* contentRange;
    uint64_t first;
    uint64_t count;
};

void PrintTo(const RangeCase& c, std::ostream* out) { *out << c.name; }

class RangeReplyTest : public testing::TestWithParam<RangeCase> {};

TEST_P(RangeReplyTest, ServesThePartAsked) {
    const RangeCase& c = GetParam();
    HttpRequest request;
    if (c.range) request.headers.emplace_back("range", c.range);
    HttpReply reply = RangeReply(request, PatternSource(100));
    EXPECT_EQ(c.status, reply.status);
    EXPECT_EQ(c.contentRange, HeaderOf(reply, "Content-Range"));
    EXPECT_EQ("bytes", HeaderOf(reply, "Accept-Ranges"));
    EXPECT_EQ(PatternBytes(c.first, c.count), ReadAll(reply.source));
}

INSTANTIATE_TEST_SUITE_P(Ranges, RangeReplyTest,
                         testing::Values(RangeCase{"NoRange", nullptr, 200, "", 0, 100},
                                         RangeCase{"FromStart", "bytes=0-", 206, "bytes 0-99/100", 0, 100},
                                         RangeCase{"FromMiddle", "bytes=40-", 206, "bytes 40-99/100", 40, 60},
                                         RangeCase{"Closed", "bytes=10-19", 206, "bytes 10-19/100", 10, 10},
                                         RangeCase{"LastByte", "bytes=99-99", 206, "bytes 99-99/100", 99, 1},
                                         RangeCase{"EndBeyondSize", "bytes=90-500", 206, "bytes 90-99/100", 90, 10},
                                         RangeCase{"StartAtSize", "bytes=100-", 416, "bytes */100", 0, 0},
                                         RangeCase{"StartBeyondSize", "bytes=250-300", 416, "bytes */100", 0, 0},
                                         RangeCase{"SuffixIgnored", "bytes=-10", 200, "", 0, 100},
                                         RangeCase{"SeveralIgnored", "bytes=0-1,5-6", 200, "", 0, 100},
                                         RangeCase{"BackwardsIgnored", "bytes=20-10", 200, "", 0, 100},
                                         RangeCase{"OtherUnitIgnored", "items=0-5", 200, "", 0, 100},
                                         RangeCase{"OverflowIgnored", "bytes=99999999999999999999999-", 200, "", 0,
                                                   100}),
                         [](const testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

TEST(RangeReplyTest, EmptySourceIsUnsatisfiable) {
    HttpRequest request;
    request.headers.emplace_back("Range", "bytes=0-");
    HttpReply reply = RangeReply(request, StringSource(""));
    EXPECT_EQ(416, reply.status);
    EXPECT_EQ("bytes */0", HeaderOf(reply, "Content-Range"));
}

TEST(PatternSourceTest, ReadsAnyPieceOfAHugeBodyWithoutHoldingIt) {
    ByteSource source = PatternSource(100ull << 30);
    char piece[8];
    source.read((100ull << 30) - 8, piece, sizeof(piece));
    EXPECT_EQ(PatternBytes((100ull << 30) - 8, 8), std::string(piece, sizeof(piece)));
    // Shifted blocks differ, so a client that puts bytes at the wrong place fails.
    EXPECT_NE(PatternBytes(0, 64), PatternBytes(1, 64));
    EXPECT_NE(PatternBytes(0, 64), PatternBytes(256, 64));
    EXPECT_NE(PatternBytes(0, 64), PatternBytes(65536, 64));
}

// Inflates with the given window bits (31: gzip only, 15: zlib only).
std::string Inflate(const std::string& data, int windowBits) {
    z_stream stream = {};
    EXPECT_EQ(Z_OK, inflateInit2(&stream, windowBits));
    std::string out(1 << 20, '\0');
    stream.next_in = (Bytef*)data.data();
    stream.avail_in = (uInt)data.size();
    stream.next_out = (Bytef*)&out[0];
    stream.avail_out = (uInt)out.size();
    int result = inflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    inflateEnd(&stream);
    return result == Z_STREAM_END ? out : "inflate error " + std::to_string(result);
}

struct CodingCase {
    const char* name;
    ContentCoding coding;
    const char* header;
    int windowBits;
    unsigned char firstByte;  // 0x1f for gzip, 0x78 for zlib
};

void PrintTo(const CodingCase& c, std::ostream* out) { *out << c.name; }

class CompressTest : public testing::TestWithParam<CodingCase> {};

TEST_P(CompressTest, RoundTripsInItsOwnFormat) {
    const CodingCase& c = GetParam();
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "line " + std::to_string(i % 97) + " 中文\n";
    HttpReply reply = CompressedReply(text, c.coding);
    EXPECT_EQ(c.header, HeaderOf(reply, "Content-Encoding"));
    ASSERT_FALSE(reply.body.empty());
    EXPECT_LT(reply.body.size(), text.size() / 4);
    EXPECT_EQ(c.firstByte, (unsigned char)reply.body[0]);
    EXPECT_EQ(text, Inflate(reply.body, c.windowBits));
    EXPECT_EQ("", Inflate(Compress("", c.coding), c.windowBits));
}

INSTANTIATE_TEST_SUITE_P(Codings, CompressTest,
                         testing::Values(CodingCase{"Gzip", ContentCoding::Gzip, "gzip", 31, 0x1f},
                                         CodingCase{"Deflate", ContentCoding::Deflate, "deflate", 15, 0x78}),
                         [](const testing::TestParamInfo<CodingCase>& info) { return std::string(info.param.name); });

}  // namespace
