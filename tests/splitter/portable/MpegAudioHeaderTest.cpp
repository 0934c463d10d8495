#include "portable/MemoryByteSource.h"
#include "portable/MpegAudioHeader.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct HeaderCase {
    std::vector<uint8_t> bytes;
    bool valid;
    int layer, sampleRate, bitrate, frameSize, channelMode;
};

class MpegAudio : public testing::TestWithParam<HeaderCase> {};

TEST_P(MpegAudio, ParsesHeader) {
    const HeaderCase& c = GetParam();
    CMemoryByteSource source(c.bytes.data(), c.bytes.size());
    int32_t hr = RESULT_OK;
    CCachedBitReader file(&source, &hr, 64, false, false);
    MpegAudioHeader h;
    ASSERT_EQ(ReadMpegAudioHeader(file, 4, false, h), c.valid);
    if (!c.valid) return;
    EXPECT_EQ(h.layer, c.layer);
    EXPECT_EQ(h.sampleRate, c.sampleRate);
    EXPECT_EQ(h.bitrate, c.bitrate);
    EXPECT_EQ(h.frameSize, c.frameSize);
    EXPECT_EQ(h.channelMode, c.channelMode);
}

INSTANTIATE_TEST_SUITE_P(Headers, MpegAudio,
                         testing::Values(
                             // MPEG-1 layer III, 128 kbit/s, 44100 Hz, stereo.
                             HeaderCase{{0xFF, 0xFB, 0x90, 0x00}, true, 3, 44100, 128000, 417, 0},
                             // Padded, mono.
                             HeaderCase{{0xFF, 0xFB, 0x92, 0xC0}, true, 3, 44100, 128000, 418, 3},
                             // MPEG-1 layer II, 192 kbit/s, 48000 Hz.
                             HeaderCase{{0xFF, 0xFD, 0xA4, 0x00}, true, 2, 48000, 192000, 576, 0},
                             // MPEG-1 layer I, 32 kbit/s, 32000 Hz.
                             HeaderCase{{0xFF, 0xFF, 0x18, 0x00}, true, 1, 32000, 32000, 48, 0},
                             // MPEG-2 layer III, 64 kbit/s, 22050 Hz: half-size frames.
                             HeaderCase{{0xFF, 0xF3, 0x80, 0x00}, true, 3, 22050, 64000, 208, 0},
                             HeaderCase{{0xFF, 0xFB, 0xF0, 0x00}, false, 0, 0, 0, 0, 0},  // bit-rate index 15
                             HeaderCase{{0xFF, 0xFB, 0x9C, 0x00}, false, 0, 0, 0, 0, 0},  // sampling index 3
                             HeaderCase{{0xFF, 0xF9, 0x90, 0x00}, false, 0, 0, 0, 0, 0},  // layer 0
                             HeaderCase{{0xFF, 0xFB, 0x90, 0x02}, false, 0, 0, 0, 0, 0},  // emphasis 2
                             HeaderCase{{0xFF, 0xFB, 0x00, 0x00}, false, 0, 0, 0, 0, 0},  // free format
                             HeaderCase{{0x00, 0xFF, 0xFB, 0x90}, false, 0, 0, 0, 0, 0},  // not at the position
                             HeaderCase{{0xFF, 0xFB}, false, 0, 0, 0, 0, 0}));            // cut short

}  // namespace
