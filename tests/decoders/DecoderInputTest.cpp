// The decoders take exactly the media types the splitter makes, and refuse format
// blocks whose sizes or lengths do not hold.
#include "DecoderInput.h"
#include "PcmOutput.h"
#include "RgbOutput.h"
#include "XofMediaType.h"

#include <gtest/gtest.h>

#include <amvideo.h>
#include <dvdmedia.h>
#include <mmreg.h>
#include <uuids.h>

#include <functional>

namespace {

XofStreamFormat Video(uint32_t subtype, XofFormatKind kind, int32_t w, int32_t h, int32_t visibleW, int32_t visibleH) {
    XofStreamFormat f;
    f.track = XOF_TAG_VIDEO;
    f.kind = kind;
    f.subtype = subtype;
    f.width = w;
    f.height = h;
    f.sourceRight = visibleW;
    f.sourceBottom = visibleH;
    return f;
}

// Two-byte-prefixed parameter sets as the splitter copies them (picture set first).
XofStreamFormat Avc(uint32_t nalLengthSize, std::vector<uint8_t> sets) {
    XofStreamFormat f = Video(XofFourCC('A', 'V', 'C', '1'), XofFormatKind::Mpeg2Video, 640, 360, 640, 360);
    f.flags = nalLengthSize;
    f.extra = std::move(sets);
    return f;
}
const std::vector<uint8_t> kSets = {0, 4, 0x68, 0xCE, 0x3C, 0x80, 0, 5, 0x67, 0x42, 0xC0, 0x1E, 0x95};

XofStreamFormat Audio(uint32_t subtype, uint16_t channels, uint32_t rate, std::vector<uint8_t> extra = {}) {
    XofStreamFormat f;
    f.track = XOF_TAG_AUDIO;
    f.kind = XofFormatKind::WaveFormatEx;
    f.subtype = subtype;
    f.formatTag = static_cast<uint16_t>(subtype);
    f.channels = channels;
    f.samplesPerSec = rate;
    f.bitsPerSample = 16;
    f.extra = std::move(extra);
    return f;
}

struct VideoCase {
    const char* name;
    XofStreamFormat format;
    std::function<void(CMediaType&)> spoil;  // damages the type the splitter made
    bool accepted;
    AVCodecID codec;
    int visibleWidth, visibleHeight;
    std::vector<uint8_t> extradata;
};

class VideoInputTypes : public testing::TestWithParam<VideoCase> {};

TEST_P(VideoInputTypes, AcceptedWithTheirSizesAndConfiguration) {
    const VideoCase& c = GetParam();
    CMediaType type = MakeXofMediaType(c.format);
    ASSERT_TRUE(type.IsValid());
    if (c.spoil) c.spoil(type);
    VideoInput input;
    ASSERT_EQ(ReadVideoInput(type, input), c.accepted);
    if (!c.accepted) return;
    EXPECT_EQ(input.codec, c.codec);
    EXPECT_EQ(input.visibleWidth, c.visibleWidth);
    EXPECT_EQ(input.visibleHeight, c.visibleHeight);
    EXPECT_EQ(input.extradata, c.extradata);
}

const uint32_t kFlv1 = XofFourCC('F', 'L', 'V', '1');
const uint32_t kFlv4 = XofFourCC('F', 'L', 'V', '4');

INSTANTIATE_TEST_SUITE_P(
    Types, VideoInputTypes,
    testing::Values(
        VideoCase{"h263",
                  Video(kFlv1, XofFormatKind::VideoInfo, 320, 240, 320, 240),
                  nullptr,
                  true,
                  AV_CODEC_ID_FLV1,
                  320,
                  240,
                  {}},
        // The decoder crops VP6 by the adjustment byte: 4 columns, 8 rows here.
        VideoCase{"vp6Cropped",
                  Video(kFlv4, XofFormatKind::VideoInfo, 320, 240, 316, 232),
                  nullptr,
                  true,
                  AV_CODEC_ID_VP6F,
                  316,
                  232,
                  {0x48}},
        VideoCase{"vp6DisplaySize",
                  Video(kFlv4, XofFormatKind::VideoInfo2, 320, 240, 320, 240),
                  nullptr,
                  true,
                  AV_CODEC_ID_VP6F,
                  320,
                  240,
                  {0x00}},
        // Sequence set first in the record, then the picture set; NAL lengths of 4 bytes.
        VideoCase{"avc", Avc(4, kSets), nullptr, true, AV_CODEC_ID_H264, 640, 360, {1, 0x42, 0xC0, 0x1E, 0xFF, 0xE1, 0,
                                                                                    5, 0x67, 0x42, 0xC0, 0x1E, 0x95, 1,
                                                                                    0, 4,    0x68, 0xCE, 0x3C, 0x80}},
        VideoCase{
            "avcTwoByteLengths", Avc(2, kSets), nullptr, true, AV_CODEC_ID_H264, 640, 360, {1,    0x42, 0xC0, 0x1E,
                                                                                            0xFD, 0xE1, 0,    5,
                                                                                            0x67, 0x42, 0xC0, 0x1E,
                                                                                            0x95, 1,    0,    4,
                                                                                            0x68, 0xCE, 0x3C, 0x80}},
        VideoCase{"avcNalLengthOfThree", Avc(3, kSets), nullptr, false, AV_CODEC_ID_NONE, 0, 0, {}},
        VideoCase{"avcWithoutSequenceSet",
                  Avc(4, {0, 4, 0x68, 0xCE, 0x3C, 0x80}),
                  nullptr,
                  false,
                  AV_CODEC_ID_NONE,
                  0,
                  0,
                  {}},
        VideoCase{
            "avcSetLongerThanTheHeader", Avc(4, {0, 9, 0x67, 0x42, 0xC0}), nullptr, false, AV_CODEC_ID_NONE, 0, 0, {}},
        VideoCase{"avcHeaderLongerThanTheBlock",
                  Avc(4, kSets),
                  [](CMediaType& t) { reinterpret_cast<MPEG2VIDEOINFO*>(t.pbFormat)->cbSequenceHeader = 4000; },
                  false,
                  AV_CODEC_ID_NONE,
                  0,
                  0,
                  {}},
        VideoCase{"vp6CropBeyondTheAdjustment",
                  Video(kFlv4, XofFormatKind::VideoInfo, 320, 240, 300, 240),
                  nullptr,
                  false,
                  AV_CODEC_ID_NONE,
                  0,
                  0,
                  {}},
        VideoCase{"zeroWidth",
                  Video(kFlv1, XofFormatKind::VideoInfo, 0, 240, 0, 240),
                  nullptr,
                  false,
                  AV_CODEC_ID_NONE,
                  0,
                  0,
                  {}},
        VideoCase{"huge",
                  Video(kFlv1, XofFormatKind::VideoInfo, 65535, 65535, 65535, 65535),
                  nullptr,
                  false,
                  AV_CODEC_ID_NONE,
                  0,
                  0,
                  {}},
        VideoCase{"blockCutShort",
                  Video(kFlv1, XofFormatKind::VideoInfo, 320, 240, 320, 240),
                  [](CMediaType& t) { t.cbFormat = sizeof(VIDEOINFOHEADER) - 1; },
                  false,
                  AV_CODEC_ID_NONE,
                  0,
                  0,
                  {}},
        VideoCase{"otherCodec",
                  Video(XofFourCC('W', 'M', 'V', '3'), XofFormatKind::VideoInfo, 320, 240, 320, 240),
                  nullptr,
                  false,
                  AV_CODEC_ID_NONE,
                  0,
                  0,
                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct AudioCase {
    const char* name;
    XofStreamFormat format;
    std::function<void(CMediaType&)> spoil;
    bool accepted;
    AVCodecID codec;
};

class AudioInputTypes : public testing::TestWithParam<AudioCase> {};

TEST_P(AudioInputTypes, AcceptedWithTheirConfiguration) {
    const AudioCase& c = GetParam();
    CMediaType type = MakeXofMediaType(c.format);
    ASSERT_TRUE(type.IsValid());
    if (c.spoil) c.spoil(type);
    AudioInput input;
    ASSERT_EQ(ReadAudioInput(type, input), c.accepted);
    if (!c.accepted) return;
    EXPECT_EQ(input.codec, c.codec);
    EXPECT_EQ(input.channels, c.format.channels);
    EXPECT_EQ(input.sampleRate, static_cast<int>(c.format.samplesPerSec));
    EXPECT_EQ(input.extradata, c.format.extra);
}

INSTANTIATE_TEST_SUITE_P(
    Types, AudioInputTypes,
    testing::Values(
        AudioCase{"aac", Audio(0xFF, 2, 44100, {0x12, 0x10}), nullptr, true, AV_CODEC_ID_AAC},
        AudioCase{"aacWithoutConfiguration", Audio(0xFF, 2, 44100), nullptr, false, AV_CODEC_ID_NONE},
        AudioCase{"mp3", Audio(0x55, 2, 44100), nullptr, true, AV_CODEC_ID_MP3},
        AudioCase{"adpcm", Audio(XofFourCC('A', 'S', 'W', 'F'), 1, 22050), nullptr, true, AV_CODEC_ID_ADPCM_SWF},
        AudioCase{"nellymoser", Audio(XofFourCC('N', 'E', 'L', 'L'), 1, 8000), nullptr, true, AV_CODEC_ID_NELLYMOSER},
        AudioCase{"configLongerThanTheBlock", Audio(0xFF, 2, 44100, {0x12, 0x10}),
                  [](CMediaType& t) { reinterpret_cast<WAVEFORMATEX*>(t.pbFormat)->cbSize = 200; }, false,
                  AV_CODEC_ID_NONE},
        AudioCase{"noChannels", Audio(0x55, 0, 44100), nullptr, false, AV_CODEC_ID_NONE},
        AudioCase{"noRate", Audio(0x55, 2, 0), nullptr, false, AV_CODEC_ID_NONE},
        AudioCase{"pcmIsNotOurs", Audio(1, 2, 44100), nullptr, false, AV_CODEC_ID_NONE}),
    [](const auto& info) { return std::string(info.param.name); });

// The output types: bottom-up RGB of the visible size, rows padded to four bytes.
TEST(RgbOutputTypes, BottomUpPicturesOfThreeDepths) {
    struct Expected {
        const GUID* subtype;
        AVPixelFormat format;
        int stride;
    };
    const Expected expected[RGB_OUTPUT_COUNT] = {
        {&MEDIASUBTYPE_RGB32, AV_PIX_FMT_BGRA, 316 * 4},
        {&MEDIASUBTYPE_RGB24, AV_PIX_FMT_BGR24, 948},
        {&MEDIASUBTYPE_RGB565, AV_PIX_FMT_RGB565LE, 632},
    };
    for (int i = 0; i < RGB_OUTPUT_COUNT; ++i) {
        CMediaType type;
        ASSERT_TRUE(MakeRgbOutputType(i, 316, 233, type));
        EXPECT_EQ(type.subtype, *expected[i].subtype);
        RgbLayout layout;
        ASSERT_TRUE(ReadRgbLayout(type, layout));
        EXPECT_EQ(layout.format, expected[i].format);
        EXPECT_EQ(layout.stride, expected[i].stride);
        EXPECT_TRUE(layout.bottomUp);
        EXPECT_EQ(layout.imageBytes(), static_cast<long>(expected[i].stride) * 233);
        EXPECT_EQ(reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader.biSizeImage,
                  static_cast<DWORD>(layout.imageBytes()));
    }
    CMediaType none;
    EXPECT_FALSE(MakeRgbOutputType(RGB_OUTPUT_COUNT, 316, 233, none));
}

TEST(PcmOutputTypes, AtMostTwoChannelsOfSixteenBits) {
    for (int channels : {1, 2, 6}) {
        CMediaType type;
        ASSERT_TRUE(MakePcmOutputType(PcmChannels(channels), 48000, type));
        EXPECT_TRUE(IsPcmOutputType(type, channels == 1 ? 1 : 2, 48000)) << channels;
        auto* wfe = reinterpret_cast<WAVEFORMATEX*>(type.pbFormat);
        EXPECT_EQ(wfe->nAvgBytesPerSec, 48000u * wfe->nBlockAlign);
        EXPECT_FALSE(IsPcmOutputType(type, PcmChannels(channels), 44100));
    }
}

}  // namespace
