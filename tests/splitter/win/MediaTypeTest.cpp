#include "XofMediaType.h"

#include <gtest/gtest.h>

#include <amvideo.h>
#include <dvdmedia.h>
#include <mmreg.h>
#include <uuids.h>

#include <cstddef>

namespace {

const GUID kFormatMpeg2Video = {0xE06D80E3, 0xDB46, 0x11CF, {0xB4, 0xD1, 0x00, 0x80, 0x5F, 0x6C, 0xBB, 0xEA}};

XofStreamFormat Audio(uint16_t tag, uint16_t channels, uint16_t bits, uint16_t align, uint32_t rate, uint32_t bytes) {
    XofStreamFormat f;
    f.track = 8;
    f.formatTag = tag;
    f.subtype = tag;
    f.channels = channels;
    f.bitsPerSample = bits;
    f.blockAlign = align;
    f.samplesPerSec = rate;
    f.avgBytesPerSec = bytes;
    return f;
}

TEST(XofMediaType, PcmCarriesABlockAlignAndAByteRate) {
    CMediaType type = MakeXofMediaType(Audio(1, 2, 16, 4, 22050, 88200));
    EXPECT_EQ(type.majortype, MEDIATYPE_Audio);
    EXPECT_EQ(type.subtype, MEDIASUBTYPE_PCM);
    EXPECT_EQ(type.formattype, FORMAT_WaveFormatEx);
    ASSERT_EQ(type.cbFormat, sizeof(WAVEFORMATEX));
    auto* wfe = reinterpret_cast<WAVEFORMATEX*>(type.pbFormat);
    EXPECT_EQ(wfe->nBlockAlign, 4);
    EXPECT_EQ(wfe->nAvgBytesPerSec, 88200u);
    EXPECT_EQ(wfe->cbSize, 0);
    EXPECT_TRUE(type.bFixedSizeSamples);
    EXPECT_EQ(type.lSampleSize, 1u);
}

TEST(XofMediaType, AacCarriesItsConfigurationAfterTheWaveFormat) {
    XofStreamFormat f = Audio(0xFF, 2, 16, 0, 44100, 0);
    f.extra = {0x12, 0x10};
    CMediaType type = MakeXofMediaType(f);
    ASSERT_EQ(type.cbFormat, sizeof(WAVEFORMATEX) + 2);
    auto* wfe = reinterpret_cast<WAVEFORMATEX*>(type.pbFormat);
    EXPECT_EQ(wfe->cbSize, 2);
    EXPECT_EQ(type.pbFormat[sizeof(WAVEFORMATEX)], 0x12);
    EXPECT_EQ(type.subtype, FOURCCMap(0xFF));
}

struct MpegCase {
    int layer;
    WORD tag;
    ULONG formatSize;
};

class XofMpegAudioType : public testing::TestWithParam<MpegCase> {};

TEST_P(XofMpegAudioType, FollowsTheLayer) {
    XofStreamFormat f;
    f.kind = XofFormatKind::MpegAudio;
    f.mpeg.version = 3;
    f.mpeg.layer = GetParam().layer;
    f.mpeg.channelMode = 3;
    f.mpeg.sampleRate = 44100;
    f.mpeg.bitrate = 128000;
    f.mpeg.frameSize = 417;
    f.mpeg.bytesPerSecond = 16000;
    CMediaType type = MakeXofMediaType(f);
    ASSERT_EQ(type.cbFormat, GetParam().formatSize);
    auto* wfe = reinterpret_cast<WAVEFORMATEX*>(type.pbFormat);
    EXPECT_EQ(wfe->wFormatTag, GetParam().tag);
    EXPECT_EQ(type.subtype, FOURCCMap(GetParam().tag));
    EXPECT_EQ(wfe->nChannels, 1);
    EXPECT_EQ(wfe->nBlockAlign, 417);
    EXPECT_EQ(wfe->nAvgBytesPerSec, 16000u);
    if (GetParam().layer != 3) {
        auto* mpeg = reinterpret_cast<MPEG1WAVEFORMAT*>(type.pbFormat);
        EXPECT_EQ(mpeg->fwHeadLayer, GetParam().layer == 1 ? ACM_MPEG_LAYER1 : ACM_MPEG_LAYER2);
        EXPECT_EQ(mpeg->fwHeadMode, ACM_MPEG_SINGLECHANNEL);
        EXPECT_EQ(mpeg->fwHeadFlags & ACM_MPEG_ID_MPEG1, ACM_MPEG_ID_MPEG1);
        EXPECT_EQ(wfe->cbSize, 22);
    }
}

INSTANTIATE_TEST_SUITE_P(Layers, XofMpegAudioType,
                         testing::Values(MpegCase{3, WAVE_FORMAT_MPEGLAYER3, sizeof(WAVEFORMATEX)},
                                         MpegCase{2, WAVE_FORMAT_MPEG, sizeof(MPEG1WAVEFORMAT)},
                                         MpegCase{1, WAVE_FORMAT_MPEG, sizeof(MPEG1WAVEFORMAT)}));

XofStreamFormat Video(XofFormatKind kind) {
    XofStreamFormat f;
    f.track = 9;
    f.kind = kind;
    f.subtype = XofFourCC('F', 'L', 'V', '4');
    f.width = 320;
    f.height = 240;
    f.sourceRight = 316;
    f.sourceBottom = 238;
    f.aspectX = 640;
    f.aspectY = 240;
    return f;
}

TEST(XofMediaType, VideoHeadersAreValidBitmapHeaders) {
    CMediaType type = MakeXofMediaType(Video(XofFormatKind::VideoInfo));
    EXPECT_EQ(type.majortype, MEDIATYPE_Video);
    EXPECT_EQ(type.formattype, FORMAT_VideoInfo);
    ASSERT_EQ(type.cbFormat, sizeof(VIDEOINFOHEADER));
    auto* vih = reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat);
    EXPECT_EQ(vih->bmiHeader.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(vih->bmiHeader.biPlanes, 1);
    EXPECT_EQ(vih->bmiHeader.biWidth, 320);
    EXPECT_EQ(vih->bmiHeader.biCompression, XofFourCC('F', 'L', 'V', '4'));
    EXPECT_EQ(vih->rcSource.right, 316);
    EXPECT_EQ(vih->rcTarget.bottom, 238);
}

TEST(XofMediaType, ADisplaySizeBecomesThePictureAspectRatio) {
    CMediaType type = MakeXofMediaType(Video(XofFormatKind::VideoInfo2));
    EXPECT_EQ(type.formattype, FORMAT_VideoInfo2);
    ASSERT_EQ(type.cbFormat, sizeof(VIDEOINFOHEADER2));
    auto* vih = reinterpret_cast<VIDEOINFOHEADER2*>(type.pbFormat);
    EXPECT_EQ(vih->dwPictAspectRatioX, 640u);
    EXPECT_EQ(vih->dwPictAspectRatioY, 240u);
    EXPECT_EQ(vih->bmiHeader.biPlanes, 1);
}

TEST(XofMediaType, AvcCarriesItsParameterSets) {
    XofStreamFormat f = Video(XofFormatKind::Mpeg2Video);
    f.subtype = XofFourCC('A', 'V', 'C', '1');
    f.bitCount = 24;
    f.profile = 100;
    f.level = 30;
    f.flags = 4;
    f.extra = {0, 3, 0x67, 1, 2, 0, 2, 0x68, 9};
    CMediaType type = MakeXofMediaType(f);
    EXPECT_EQ(type.formattype, kFormatMpeg2Video);
    ASSERT_EQ(type.cbFormat, offsetof(MPEG2VIDEOINFO, dwSequenceHeader) + f.extra.size());
    auto* mvi = reinterpret_cast<MPEG2VIDEOINFO*>(type.pbFormat);
    EXPECT_EQ(mvi->cbSequenceHeader, f.extra.size());
    EXPECT_EQ(mvi->dwProfile, 100u);
    EXPECT_EQ(mvi->dwFlags, 4u);
    EXPECT_EQ(mvi->hdr.bmiHeader.biBitCount, 24);
    EXPECT_EQ(reinterpret_cast<BYTE*>(mvi->dwSequenceHeader)[2], 0x67);
}

}  // namespace
