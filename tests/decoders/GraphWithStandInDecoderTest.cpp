// The graph around a decoder, with a stand-in decoder that needs no codec: the file
// renders from our splitter through the stand-in into the platform's video renderer
// (and the sound through the DirectSound renderer), it seeks, and it plays to its end.
#include "GreyDecoder.h"
#include "PlaybackGraph.h"
#include "TestModules.h"
#include "XofGuids.h"

#include <gtest/gtest.h>

#include <evcode.h>
#include <uuids.h>

namespace {

constexpr REFERENCE_TIME kSecond = 10000000;

class StandInGraph : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(graph.Ready());
        grey = new CGreyDecoder;
        held = CComRef<IBaseFilter>(grey);
        ASSERT_EQ(graph.Graph()->AddFilter(grey, L"Grey"), S_OK);
        ASSERT_EQ(graph.RenderFile(MediaFile("flv1_aac_2s")), S_OK);
        ASSERT_EQ(graph.ShowVideo(), S_OK);
    }

    CPlaybackGraph graph;
    CGreyDecoder* grey = nullptr;
    CComRef<IBaseFilter> held;
};

TEST_F(StandInGraph, RenderFileBuildsReaderSplitterDecoderAndBothRenderers) {
    for (const CLSID* clsid :
         {&CLSID_AsyncReader, &CLSID_XofSplitter, &CLSID_GreyDecoder, &CLSID_VideoRenderer, &CLSID_DSoundRender})
        EXPECT_TRUE(graph.HasFilterOfClass(*clsid));
    IPin* input = grey->GetPin(0)->GetConnected();
    ASSERT_NE(input, nullptr);
    PIN_INFO upstream = {};
    input->QueryPinInfo(&upstream);
    CLSID clsid = {};
    upstream.pFilter->GetClassID(&clsid);
    upstream.pFilter->Release();
    EXPECT_EQ(clsid, CLSID_XofSplitter) << "the stand-in decodes the splitter's video";
}

TEST_F(StandInGraph, PausedGraphShowsTheGreyPicture) {
    ASSERT_EQ(graph.Pause(), S_OK);
    graph.PumpFor(300);
    EXPECT_TRUE(graph.SaveScreenshot(L"stand-in-grey.png"));
    EXPECT_TRUE(NearColour(graph.CentrePixel(), GREY_LEVEL, GREY_LEVEL, GREY_LEVEL, 4));
}

TEST_F(StandInGraph, SeeksThroughTheDecoderAndPlaysToTheDuration) {
    REFERENCE_TIME duration = graph.Duration();
    EXPECT_NEAR(duration, 2 * kSecond, kSecond / 10);
    ASSERT_EQ(graph.Pause(), S_OK);
    const LONG flushesBefore = grey->Flushes();
    ASSERT_TRUE(SUCCEEDED(graph.SeekTo(kSecond)));
    EXPECT_NEAR(graph.CurrentPosition(), kSecond, kSecond / 10);
    EXPECT_GT(grey->Flushes(), flushesBefore) << "a seek flushes the decoder";
    ASSERT_EQ(graph.Run(), S_OK);
    EXPECT_EQ(graph.WaitForEvent({EC_COMPLETE, EC_ERRORABORT, EC_USERABORT}, 10000), EC_COMPLETE);
    EXPECT_NEAR(graph.CurrentPosition(), duration, kSecond / 10);
}

}  // namespace
