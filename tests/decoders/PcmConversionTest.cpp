// Decoded sound of any sample layout becomes interleaved 16-bit samples of the first
// two channels, clipped at full scale.
#include "CodecHandles.h"
#include "PcmOutput.h"

extern "C" {
#include <libavutil/channel_layout.h>
}

#include <gtest/gtest.h>

#include <vector>

namespace {

struct PcmCase {
    const char* name;
    AVSampleFormat format;
    int channels;  // in the frame
    int outputChannels;
    std::vector<int16_t> expected;  // samples 1 and 2 of the frame, interleaved
};

// Sample i of channel c: 0.5 for channel 0, -0.25 for channel 1, then -1.5 and 1.0
// (beyond full scale) at sample 2; channels past 1 hold 0.9.
double Value(int c, int i) {
    if (c > 1) return 0.9;
    if (i == 2) return c == 0 ? -1.5 : 1.0;
    return c == 0 ? 0.5 : -0.25;
}

class PcmConversion : public testing::TestWithParam<PcmCase> {};

TEST_P(PcmConversion, FirstTwoChannelsInterleavedAndClipped) {
    const PcmCase& c = GetParam();
    FramePtr frame(av_frame_alloc());
    frame->format = c.format;
    frame->nb_samples = 3;
    av_channel_layout_default(&frame->ch_layout, c.channels);
    ASSERT_EQ(av_frame_get_buffer(frame.get(), 0), 0);
    const bool planar = av_sample_fmt_is_planar(c.format) != 0;
    for (int ch = 0; ch < c.channels; ++ch)
        for (int i = 0; i < 3; ++i) {
            double v = Value(ch, i);
            int at = planar ? i : i * c.channels + ch;
            uint8_t* base = frame->extended_data[planar ? ch : 0];
            if (av_get_packed_sample_fmt(c.format) == AV_SAMPLE_FMT_FLT)
                reinterpret_cast<float*>(base)[at] = static_cast<float>(v);
            else
                reinterpret_cast<int16_t*>(base)[at] = static_cast<int16_t>(v < -1   ? -32768
                                                                            : v >= 1 ? 32767
                                                                                     : v * 32768);
        }
    std::vector<int16_t> out(2 * c.outputChannels, 0x5555);
    ASSERT_TRUE(ConvertToPcm16(*frame, 1, 2, c.outputChannels, out.data()));
    EXPECT_EQ(out, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PcmConversion,
    testing::Values(PcmCase{"planarFloatStereo", AV_SAMPLE_FMT_FLTP, 2, 2, {16384, -8192, -32768, 32767}},
                    PcmCase{"planarFloatSurround", AV_SAMPLE_FMT_FLTP, 6, 2, {16384, -8192, -32768, 32767}},
                    PcmCase{"packedFloatMono", AV_SAMPLE_FMT_FLT, 1, 1, {16384, -32768}},
                    PcmCase{"packedShortStereo", AV_SAMPLE_FMT_S16, 2, 2, {16384, -8192, -32768, 32767}},
                    PcmCase{"planarShortMonoToStereo", AV_SAMPLE_FMT_S16P, 1, 2, {16384, 16384, -32768, -32768}}),
    [](const auto& info) { return std::string(info.param.name); });

// Float samples round half away from zero to the nearest step and clip at full scale.
TEST(PcmConversion, FloatSamplesRoundToTheNearestStep) {
    const float steps[] = {1.5f, -1.5f, 2.49f, -2.51f, 32766.5f, 32767.4f, -32767.6f, 40000.0f};
    const std::vector<int16_t> expected = {2, -2, 2, -3, 32767, 32767, -32768, 32767};
    const int count = static_cast<int>(expected.size());
    FramePtr frame(av_frame_alloc());
    frame->format = AV_SAMPLE_FMT_FLT;
    frame->nb_samples = count;
    av_channel_layout_default(&frame->ch_layout, 1);
    ASSERT_EQ(av_frame_get_buffer(frame.get(), 0), 0);
    for (int i = 0; i < count; ++i) reinterpret_cast<float*>(frame->data[0])[i] = steps[i] / 32768.0f;
    std::vector<int16_t> out(count);
    ASSERT_TRUE(ConvertToPcm16(*frame, 0, count, 1, out.data()));
    EXPECT_EQ(out, expected);
}

}  // namespace
