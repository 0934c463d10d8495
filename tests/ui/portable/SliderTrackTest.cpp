#include <gtest/gtest.h>

#include "slider/portable/SliderTrack.h"

namespace {

struct MappingCase {
    const char* name;
    SLIDER_TRACK track;
    int min, max;
    int position;  // given to the pixel mapping
    int pixel;     // expected for the position
    int probe;     // given to the position mapping
    int back;      // expected for the probe
};

void PrintTo(const MappingCase& c, std::ostream* out) { *out << c.name; }

class SliderMappingTest : public testing::TestWithParam<MappingCase> {};

TEST_P(SliderMappingTest, MapsBothWays) {
    const MappingCase& c = GetParam();
    EXPECT_EQ(c.pixel, SliderPixelOfPosition(c.track, c.min, c.max, c.position));
    EXPECT_EQ(c.back, SliderPositionOfPixel(c.track, c.min, c.max, c.probe));
}

const SLIDER_TRACK kSeekBar = {200, 0, 0, 14};   // the thumb's centre runs 7..193
const SLIDER_TRACK kMargins = {110, 5, 5, 10};   // 10..100
const SLIDER_TRACK kOddThumb = {215, 0, 0, 15};  // 7..207, half-thumb 7.5 in the position mapping

INSTANTIATE_TEST_SUITE_P(
    Tracks, SliderMappingTest,
    testing::Values(MappingCase{"NearEnd", kSeekBar, 0, 100, 0, 7, 7, 0},
                    MappingCase{"FarEnd", kSeekBar, 0, 100, 100, 193, 193, 100},
                    MappingCase{"Middle", kSeekBar, 0, 100, 50, 100, 100, 50},
                    // 186 * 29 / 100 = 53.94: the pixel is cut, the position read back is cut too.
                    MappingCase{"CutTowardTheNearEnd", kSeekBar, 0, 100, 29, 60, 60, 28},
                    MappingCase{"MarginsOnBothSides", kMargins, 0, 1000, 500, 55, 55, 500},
                    MappingCase{"MarginsFarEnd", kMargins, 0, 1000, 1000, 100, 100, 1000},
                    MappingCase{"OddThumb", kOddThumb, 0, 200, 100, 107, 108, 100},
                    // -100 + 101 / 200 * 100 = -49.5 is cut toward zero.
                    MappingCase{"NegativeRangeCutTowardZero", {210, 0, 0, 10}, -100, 0, -100, 5, 106, -49},
                    MappingCase{"PositionAboveMaxClamped", kSeekBar, 0, 100, 150, 193, 1000, 100},
                    MappingCase{"PositionBelowMinClamped", kSeekBar, 0, 100, -20, 7, -50, 0},
                    MappingCase{"EqualEnds", kSeekBar, 5, 5, 5, 7, 150, 5},
                    MappingCase{"InvertedEnds", kSeekBar, 100, 0, 50, 7, 150, 100},
                    MappingCase{"TrackAsLongAsTheThumb", {14, 0, 0, 14}, 0, 100, 60, 7, 10, 0},
                    MappingCase{"TrackShorterThanTheThumb", {20, 4, 4, 14}, 0, 100, 60, 11, 10, 0},
                    MappingCase{
                        "ExtremeRange", {1002, 0, 0, 2}, INT32_MIN, INT32_MAX, INT32_MAX, 1001, 2000000, INT32_MAX}));

struct TargetCase {
    const char* name;
    SLIDER_TRACK track;
    int coordinate, grabOffset;
    int pixel;
};

void PrintTo(const TargetCase& c, std::ostream* out) { *out << c.name; }

class SliderTargetTest : public testing::TestWithParam<TargetCase> {};

TEST_P(SliderTargetTest, KeepsTheThumbOnTheTrack) {
    const TargetCase& c = GetParam();
    EXPECT_EQ(c.pixel, SliderTargetPixel(c.track, c.coordinate, c.grabOffset));
}

INSTANTIATE_TEST_SUITE_P(Pointers, SliderTargetTest,
                         testing::Values(TargetCase{"Inside", kSeekBar, 100, 0, 100},
                                         TargetCase{"GrabOffsetSubtracted", kSeekBar, 100, 3, 97},
                                         TargetCase{"NegativeGrabOffset", kSeekBar, 100, -4, 104},
                                         TargetCase{"BeforeTheNearEnd", kSeekBar, 2, 0, 7},
                                         TargetCase{"PastTheFarEnd", kSeekBar, 250, 0, 193},
                                         TargetCase{"MarginsKeptFree", kMargins, 104, 0, 100},
                                         TargetCase{"NoRoomGivesTheNearEnd", {20, 4, 4, 14}, 15, 0, 11}));

}  // namespace
