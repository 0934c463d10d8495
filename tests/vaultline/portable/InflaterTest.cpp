#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "portable/Inflater.h"

namespace {

// Compresses text as gzip (window bits 31) or in the zlib format.
std::string Compress(const std::string& text, ReplyCoding coding) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, coding == ReplyCoding::Gzip ? 31 : 15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, uLong(text.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = uInt(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// A text larger than the 4096-byte window, not too regular.
std::string SampleText() {
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "line " + std::to_string(i * 7919 % 10007) + "\n";
    return text;
}

class InflaterTest : public testing::TestWithParam<ReplyCoding> {};

TEST_P(InflaterTest, InflatesInOnePass) {
    const std::string text = SampleText();
    const std::string coded = Compress(text, GetParam());
    CInflater inflater(GetParam());
    ASSERT_EQ(Z_OK, inflater.InitResult());
    std::string out;
    ASSERT_EQ(Z_OK, inflater.Inflate(coded.data(), coded.size(), Z_NO_FLUSH, out));
    EXPECT_EQ(Z_OK, inflater.EndResult());
    EXPECT_EQ(text, out);
}

TEST_P(InflaterTest, InflatesPieceByPiece) {
    const std::string text = SampleText();
    const std::string coded = Compress(text, GetParam()) + "trailing bytes after the stream";
    CInflater inflater(GetParam());
    std::string out;
    for (size_t at = 0; at < coded.size(); at += 5)
        ASSERT_EQ(Z_OK, inflater.Inflate(coded.data() + at, std::min<size_t>(5, coded.size() - at), Z_SYNC_FLUSH, out));
    EXPECT_EQ(Z_OK, inflater.EndResult());
    EXPECT_EQ(text, out);
}

// A stream that stops early is an error, never a success.
TEST_P(InflaterTest, StreamThatStopsEarlyIsAnError) {
    const std::string coded = Compress(SampleText(), GetParam());
    for (size_t cut : {size_t(2), coded.size() / 2, coded.size() - 1}) {
        CInflater inflater(GetParam());
        std::string out;
        int inflated = inflater.Inflate(coded.data(), cut, Z_NO_FLUSH, out);
        EXPECT_TRUE(inflated != Z_OK || inflater.EndResult() != Z_OK) << "cut at " << cut;
        if (inflated == Z_OK) {
            EXPECT_EQ(Z_BUF_ERROR, inflater.EndResult()) << "cut at " << cut;
        }
    }
}

TEST_P(InflaterTest, BrokenStreamIsADataError) {
    std::string coded = Compress(SampleText(), GetParam());
    coded[coded.size() / 2] ^= 0x55;
    coded[coded.size() / 2 + 1] ^= 0xAA;
    CInflater inflater(GetParam());
    std::string out;
    int inflated = inflater.Inflate(coded.data(), coded.size(), Z_NO_FLUSH, out);
    EXPECT_TRUE(inflated == Z_DATA_ERROR || inflater.EndResult() == Z_DATA_ERROR);
}

TEST_P(InflaterTest, PlainTextIsADataError) {
    const std::string text = "{\"result\":200}";
    CInflater inflater(GetParam());
    std::string out;
    EXPECT_EQ(Z_DATA_ERROR, inflater.Inflate(text.data(), text.size(), Z_NO_FLUSH, out));
}

INSTANTIATE_TEST_SUITE_P(Codings, InflaterTest, testing::Values(ReplyCoding::Gzip, ReplyCoding::Deflate),
                         [](const testing::TestParamInfo<ReplyCoding>& info) {
                             return std::string(info.param == ReplyCoding::Gzip ? "Gzip" : "Deflate");
                         });

TEST(ReplyCodingTest, OnlyExactNamesAreKnown) {
    ReplyCoding coding = ReplyCoding::Plain;
    EXPECT_TRUE(CodingFromHeader("gzip", coding));
    EXPECT_EQ(ReplyCoding::Gzip, coding);
    EXPECT_TRUE(CodingFromHeader("deflate", coding));
    EXPECT_EQ(ReplyCoding::Deflate, coding);
    for (const char* other : {"GZIP", "br", "identity", "", "gzip, deflate"})
        EXPECT_FALSE(CodingFromHeader(other, coding)) << other;
}

}  // namespace
