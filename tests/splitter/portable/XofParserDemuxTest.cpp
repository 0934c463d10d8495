#include "ParsedFile.h"

#include <gtest/gtest.h>

namespace {

Bytes Payload(const Packet& p) { return Bytes(p.GetData(), p.GetData() + p.GetDataSize()); }

TEST(XofParserDemux, PacketsCarryTheTagsOfTheFile) {
    XofMovie movie;
    movie.frames = 30;
    std::vector<XofTagSpec> tags;
    ParsedFile f(MakeMovie(movie, &tags));
    ASSERT_EQ(f.result, RESULT_OK);
    f.parser->Seek(0);
    auto packets = f.ReadAll();
    ASSERT_EQ(packets.size(), tags.size());
    for (size_t i = 0; i < tags.size(); ++i) {
        const Packet& p = *packets[i];
        const XofTagSpec& t = tags[i];
        EXPECT_EQ(p.TrackNumber, t.type);
        EXPECT_EQ(p.rtStart, t.timestampMs * 10000LL);
        EXPECT_EQ(p.rtStop, p.rtStart + 1);
        // Audio packets are all sync points; video ones only on key frames.
        bool key = t.type == 8 || (t.data[0] >> 4) == 1;
        EXPECT_EQ(p.bSyncPoint, key) << i;
        // H.263 and MP3 payloads follow the one-byte header.
        EXPECT_EQ(Payload(p), Bytes(t.data.begin() + 1, t.data.end())) << i;
    }
}

struct CodecPayloadCase {
    const char* name;
    uint8_t type;
    Bytes data;
    size_t headerBytes;  // bytes before the payload handed on
};

class CodecPayloads : public testing::TestWithParam<CodecPayloadCase> {};

TEST_P(CodecPayloads, SkipTheCodecHeaders) {
    const CodecPayloadCase& c = GetParam();
    CXofWriter w;
    w.AddTag(9, 0, Vp6Frame(1, false, 320, 240, 320, 240));  // a video stream for the file to open
    w.AddTag(8, 0, AacConfig(2, 4, 2));
    w.AddTag(c.type, 100, c.data);
    ParsedFile f(w.Finish());
    ASSERT_EQ(f.result, RESULT_OK);
    f.parser->Seek(0);
    auto packets = f.ReadAll();
    ASSERT_FALSE(packets.empty());
    const Packet& last = *packets.back();
    ASSERT_EQ(last.rtStart, 1000000);
    EXPECT_EQ(Payload(last), Bytes(c.data.begin() + c.headerBytes, c.data.end()));
}

INSTANTIATE_TEST_SUITE_P(Codecs, CodecPayloads,
                         testing::Values(CodecPayloadCase{"vp6", 9, Vp6Frame(2, false, 320, 240, 0, 0), 2},
                                         CodecPayloadCase{"vp6alpha", 9, Vp6Frame(2, true, 320, 240, 0, 0), 5},
                                         CodecPayloadCase{"avc", 9, AvcFrame(2, 0), 5},
                                         CodecPayloadCase{"aac", 8, AacRaw(50), 2},
                                         CodecPayloadCase{"pcm", 8, PcmAudio(3, 1, 1, 100), 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(XofParserDemux, PassesOverTagsWithoutMedia) {
    CXofWriter w;
    w.AddTag(9, 0, AvcConfig(640, 352));
    w.AddTag(9, 0, Bytes{0x57, 0});            // information frame
    w.AddTag(18, 0, Pattern(30, 1));           // script data
    w.AddTag(8, 0, Bytes{});                   // empty
    w.AddTag(9, 40, Bytes{0x17, 2, 0, 0, 0});  // end of sequence (packet type 2)
    w.AddTag(9, 80, AvcFrame(1, 0));
    ParsedFile f(w.Finish());
    ASSERT_EQ(f.result, RESULT_OK);
    f.parser->Seek(0);
    auto packets = f.ReadAll();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0]->rtStart, 800000);
}

struct CompositionCase {
    uint32_t timestampMs;
    int32_t offsetMs;
    int64_t expectedStart;
};

class CompositionOffsets : public testing::TestWithParam<CompositionCase> {};

TEST_P(CompositionOffsets, AreSignedTimes) {
    const CompositionCase& c = GetParam();
    CXofWriter w;
    w.AddTag(9, 0, AvcConfig(640, 352));
    w.AddTag(9, c.timestampMs, AvcFrame(1, c.offsetMs));
    ParsedFile f(w.Finish());
    ASSERT_EQ(f.result, RESULT_OK);
    f.parser->Seek(0);
    auto packets = f.ReadAll();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0]->rtStart, c.expectedStart);
    EXPECT_EQ(packets[0]->rtStop, c.expectedStart + 1);
}

// A negative offset before the first frame gives a negative time, not a wrapped one.
INSTANTIATE_TEST_SUITE_P(Times, CompositionOffsets,
                         testing::Values(CompositionCase{1000, -40, 9600000}, CompositionCase{0, -40, -400000},
                                         CompositionCase{1000, 80, 10800000},
                                         CompositionCase{0xFFFFFFFF, 0, 0xFFFFFFFFLL * 10000}));

TEST(XofParserDemux, ATruncatedLastTagEndsTheStream) {
    XofMovie movie;
    movie.frames = 10;
    Bytes file = MakeMovie(movie);
    file.resize(file.size() - 100);
    ParsedFile f(file);
    ASSERT_EQ(f.result, RESULT_OK);
    f.parser->Seek(0);
    auto packets = f.ReadAll();
    EXPECT_EQ(packets.size(), 19u);
}

}  // namespace
