// What the decoders give out for generated media, sample by sample: every picture at
// its time with the colour of its second, sound that covers the file, flushing and
// new times after a seek.
#include "AudioDecoderFilter.h"
#include "DecoderChain.h"
#include "MediaColours.h"
#include "TestModules.h"
#include "VideoDecoderFilter.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr REFERENCE_TIME kSecond = 10000000;
constexpr REFERENCE_TIME kFrame = kSecond / 25;

CVideoDecoderFilter* NewVideoDecoder() {
    HRESULT hr = S_OK;
    return new CVideoDecoderFilter(nullptr, &hr);
}

CAudioDecoderFilter* NewAudioDecoder() {
    HRESULT hr = S_OK;
    return new CAudioDecoderFilter(nullptr, &hr);
}

bool IsColourOfSecond(COLORREF shown, int second) {
    MediaColour c = ColourOfSecond(second);
    return NearColour(shown, c.r, c.g, c.b);
}

TEST(VideoDecoderOutput, EveryPictureComesAtItsTimeWithTheColourOfItsSecond) {
    CDecoderChain chain(MediaFile("flv1_aac_6s"), L"Video", NewVideoDecoder());
    ASSERT_EQ(chain.Built(), S_OK);
    ASSERT_TRUE(chain.RunToEnd());
    std::vector<ReceivedSample> pictures = chain.Sink()->Samples();
    ASSERT_EQ(pictures.size(), 150u);
    for (size_t i = 0; i < pictures.size(); ++i) {
        const ReceivedSample& p = pictures[i];
        ASSERT_TRUE(p.hasTime) << i;
        EXPECT_EQ(p.start, static_cast<REFERENCE_TIME>(i) * kFrame) << i;
        EXPECT_GT(p.stop, p.start) << i;
        EXPECT_EQ(p.discontinuity, i == 0) << i;
        ASSERT_EQ(p.data.size(), 320u * 240 * 4) << i;
        COLORREF centre = CentreOfRgb32(p.data, 320, 240);
        EXPECT_TRUE(IsColourOfSecond(centre, static_cast<int>(p.start / kSecond))) << i << " " << std::hex << centre;
        // Bottom-up rows: the band of the picture's top is at the buffer's end.
        COLORREF top = PixelOfRgb32(p.data, 320, 240, 5, 2);
        EXPECT_TRUE(NearColour(top, BAND_COLOUR.r, BAND_COLOUR.g, BAND_COLOUR.b)) << i << " " << std::hex << top;
    }
    EXPECT_EQ(chain.Sink()->EndOfStreamCount(), 1);
}

TEST(VideoDecoderOutput, SeekFlushesAndResumesAtThePictureOnScreenAtTheTarget) {
    CDecoderChain chain(MediaFile("flv1_aac_6s"), L"Video", NewVideoDecoder());
    ASSERT_EQ(chain.Built(), S_OK);
    ASSERT_EQ(chain.Graph().Pause(), S_OK);
    const int flushes = chain.Sink()->FlushCount();
    // Key frames every 5 pictures: 3.1 s is decoded from the one at 3.0 s, and the
    // pictures of 3.0 s and 3.04 s, over before the target, are not given out.
    const REFERENCE_TIME target = 3 * kSecond + kSecond / 10;
    ASSERT_TRUE(SUCCEEDED(chain.Graph().SeekTo(target)));
    EXPECT_GT(chain.Sink()->FlushCount(), flushes);
    ASSERT_TRUE(chain.RunToEnd());
    std::vector<ReceivedSample> pictures = chain.Sink()->Samples();
    EXPECT_EQ(chain.Sink()->LastSegmentStart(), target);
    // Pictures decoded before the seek (while pausing) come first; the last flush ends them.
    auto first = pictures.end();
    for (auto it = pictures.begin(); it != pictures.end(); ++it)
        if (it->discontinuity) first = it;
    ASSERT_NE(first, pictures.end());
    EXPECT_EQ(first->start, -kSecond / 50) << "the picture of 3.08 s, on screen at the segment's start";
    EXPECT_EQ(first->stop, kSecond / 50);
    EXPECT_TRUE(IsColourOfSecond(CentreOfRgb32(first->data, 320, 240), 3));
    EXPECT_EQ(pictures.end() - first, 150 - 77);
    EXPECT_TRUE(IsColourOfSecond(CentreOfRgb32(pictures.back().data, 320, 240), 5));
}

TEST(AudioDecoderOutput, SoundCoversTheFileInContiguousPcm) {
    CDecoderChain chain(MediaFile("aac_only_2s"), L"Audio", NewAudioDecoder());
    ASSERT_EQ(chain.Built(), S_OK);
    ASSERT_TRUE(chain.RunToEnd());
    std::vector<ReceivedSample> blocks = chain.Sink()->Samples();
    ASSERT_FALSE(blocks.empty());
    REFERENCE_TIME expected = blocks.front().start;
    EXPECT_LE(expected, kSecond / 20);
    size_t bytes = 0;
    int peak = 0;
    for (const ReceivedSample& b : blocks) {
        ASSERT_TRUE(b.hasTime);
        EXPECT_EQ(b.start, expected) << "no gaps or overlaps";
        EXPECT_EQ(b.data.size() % 4, 0u) << "whole 16-bit stereo frames";
        EXPECT_NEAR(b.stop - b.start, static_cast<REFERENCE_TIME>(b.data.size() / 4) * kSecond / 44100, 10);
        expected = b.stop;
        bytes += b.data.size();
        const auto* samples = reinterpret_cast<const int16_t*>(b.data.data());
        for (size_t i = 0; i < b.data.size() / 2; ++i) peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    }
    // The times follow the samples without drifting by rounding.
    const REFERENCE_TIME played = static_cast<REFERENCE_TIME>(bytes / 4) * kSecond / 44100;
    EXPECT_NEAR(blocks.back().stop - blocks.front().start, played, 1);
    // Two seconds of stereo at 44.1 kHz, give or take the encoder's frames at the edges.
    EXPECT_NEAR(static_cast<double>(bytes) / (44100 * 4), 2.0, 0.1);
    // The tone at 0.3 of full scale.
    EXPECT_NEAR(peak, 0.3 * 32768, 0.05 * 32768);
}

}  // namespace
