// Generated media played as the player plays it: RenderFile through our splitter and
// decoders into the platform's video and DirectSound renderers, with its clock.
#include "AudioDecoderFilter.h"
#include "MediaColours.h"
#include "PlaybackGraph.h"
#include "TestModules.h"
#include "VideoDecoderFilter.h"
#include "XofGuids.h"

#include <gtest/gtest.h>

#include <evcode.h>
#include <uuids.h>

namespace {

constexpr REFERENCE_TIME kSecond = 10000000;

struct RenderCase {
    const char* file;
    bool video, audio;
};

class RenderGeneratedFile : public testing::TestWithParam<RenderCase> {};

TEST_P(RenderGeneratedFile, ThroughOurSplitterAndDecodersIntoThePlatformsRenderers) {
    const RenderCase& c = GetParam();
    CPlaybackGraph graph;
    ASSERT_TRUE(graph.Ready());
    ASSERT_EQ(graph.RenderFile(MediaFile(c.file)), S_OK);
    EXPECT_TRUE(graph.HasFilterOfClass(CLSID_XofSplitter));
    EXPECT_EQ(graph.HasFilterOfClass(CLSID_ZemoVideoDecoder), c.video);
    EXPECT_EQ(graph.HasFilterOfClass(CLSID_VideoRenderer), c.video);
    EXPECT_EQ(graph.HasFilterOfClass(CLSID_ZemoAudioDecoder), c.audio);
    EXPECT_EQ(graph.HasFilterOfClass(CLSID_DSoundRender), c.audio);
    if (c.video) {
        ASSERT_EQ(graph.ShowVideo(), S_OK);
    }
    ASSERT_EQ(graph.Run(), S_OK);
    EXPECT_EQ(graph.WaitForEvent({EC_COMPLETE, EC_ERRORABORT, EC_USERABORT}, 15000), EC_COMPLETE);
}

INSTANTIATE_TEST_SUITE_P(Files, RenderGeneratedFile,
                         testing::Values(RenderCase{"flv1_aac_2s", true, true}, RenderCase{"flv1_only_2s", true, false},
                                         RenderCase{"aac_only_2s", false, true}),
                         [](const auto& info) { return std::string(info.param.file); });

class VideoOnScreen : public testing::Test {
protected:
    void Open(const char* file) {
        ASSERT_TRUE(graph.Ready());
        ASSERT_EQ(graph.RenderFile(MediaFile(file)), S_OK);
        ASSERT_EQ(graph.ShowVideo(), S_OK);
    }
    // The colour the video window shows once the paused graph has its picture.
    COLORREF Shown() {
        graph.PumpFor(300);
        return graph.CentrePixel();
    }
    static bool IsColourOfSecond(COLORREF shown, int second) {
        MediaColour c = ColourOfSecond(second);
        return NearColour(shown, c.r, c.g, c.b);
    }

    CPlaybackGraph graph;
};

TEST_F(VideoOnScreen, FirstFrameHasTheColourItWasEncodedWith) {
    Open("flv1_aac_2s");
    ASSERT_EQ(graph.Pause(), S_OK);
    COLORREF shown = Shown();
    EXPECT_TRUE(graph.SaveScreenshot(L"first-frame.png"));
    EXPECT_TRUE(IsColourOfSecond(shown, 0)) << std::hex << shown;
    // Upright: the band is at the top of the window, not at the bottom.
    EXPECT_TRUE(NearColour(graph.PixelAt(160, 8), BAND_COLOUR.r, BAND_COLOUR.g, BAND_COLOUR.b));
    EXPECT_TRUE(IsColourOfSecond(graph.PixelAt(160, 232), 0));
}

// A key frame a second before the target: the paused picture is the target's, not the
// key frame's (key frames of this file every 12 pictures: 0.96 s before 1.4 s).
TEST_F(VideoOnScreen, ASeekBetweenKeyFramesShowsThePictureOfTheTarget) {
    Open("flv1_aac_2s");
    ASSERT_EQ(graph.Pause(), S_OK);
    ASSERT_TRUE(SUCCEEDED(graph.SeekTo(kSecond * 14 / 10)));
    ASSERT_EQ(graph.Pause(), S_OK);
    COLORREF shown = Shown();
    EXPECT_TRUE(IsColourOfSecond(shown, 1)) << std::hex << shown;
}

TEST_F(VideoOnScreen, SeeksShowTheFrameOfTheTargetTime) {
    Open("flv1_aac_6s");
    ASSERT_EQ(graph.Pause(), S_OK);
    const REFERENCE_TIME duration = graph.Duration();
    EXPECT_NEAR(duration, 6 * kSecond, kSecond / 10);
    struct Seek {
        REFERENCE_TIME target;
        int second;
        const wchar_t* screenshot;
    };
    const Seek seeks[] = {
        {3 * kSecond + kSecond / 10, 3, L"seek-middle.png"},
        {duration - kSecond / 5, 5, L"seek-near-end.png"},
        {0, 0, L"seek-start.png"},
    };
    for (const Seek& s : seeks) {
        ASSERT_TRUE(SUCCEEDED(graph.SeekTo(s.target)));
        ASSERT_EQ(graph.Pause(), S_OK);
        COLORREF shown = Shown();
        EXPECT_TRUE(graph.SaveScreenshot(s.screenshot));
        EXPECT_TRUE(IsColourOfSecond(shown, s.second)) << s.target << " " << std::hex << shown;
        EXPECT_NEAR(graph.CurrentPosition(), s.target, kSecond / 10);
    }
    // Playing on from the start reaches the next second's colour.
    ASSERT_EQ(graph.Run(), S_OK);
    graph.PumpFor(1400);
    EXPECT_TRUE(IsColourOfSecond(graph.CentrePixel(), 1)) << std::hex << graph.CentrePixel();
}

TEST_F(VideoOnScreen, TwoSecondFilePlaysToItsEndInRealTime) {
    Open("flv1_aac_2s");
    const REFERENCE_TIME duration = graph.Duration();
    const DWORD start = GetTickCount();
    ASSERT_EQ(graph.Run(), S_OK);
    ASSERT_EQ(graph.WaitForEvent({EC_COMPLETE, EC_ERRORABORT, EC_USERABORT}, 15000), EC_COMPLETE);
    const DWORD elapsed = GetTickCount() - start;
    // Paced by the clock: neither as fast as it can go nor stalled.
    EXPECT_GE(elapsed, 1800u);
    EXPECT_LE(elapsed, 6000u);
    EXPECT_NEAR(graph.CurrentPosition(), duration, kSecond / 10);
    EXPECT_TRUE(IsColourOfSecond(graph.CentrePixel(), 1)) << "the last frame stays";
}

}  // namespace
