#include "GraphHost.h"
#include "XofGuids.h"
#include "dshow/TestSinkFilter.h"

#include <gtest/gtest.h>

#include <evcode.h>
#include <uuids.h>

namespace {

constexpr REFERENCE_TIME kMs = 10000;

XofMovie Movie(bool brokenPreviousSizes = false) {
    XofMovie movie;
    movie.frames = 250;  // 10 s
    movie.keyInterval = 25;
    movie.videoBytes = 800;
    movie.brokenPreviousSizes = brokenPreviousSizes;
    return movie;
}

TEST(Graph, RenderFileReachesOurSplitterThroughTheCheckBytes) {
    CGraphHost host;
    ASSERT_NE(host.Graph(), nullptr);
    XofMovie videoOnly = Movie();
    videoOnly.audio = false;
    CTempFile file(MakeMovie(videoOnly));
    // No decoder here renders the video: a sink for video in the graph takes it
    // instead (and not the file's byte stream).
    SinkOptions videoOnlySink;
    videoOnlySink.acceptMajor = MEDIATYPE_Video;
    CComRef<IBaseFilter> sink(new CTestSinkFilter(videoOnlySink));
    ASSERT_EQ(host.Graph()->AddFilter(sink.Get(), L"Sink"), S_OK);
    ASSERT_EQ(host.Graph()->RenderFile(file.Path().c_str(), nullptr), S_OK);
    EXPECT_TRUE(host.HasFilterOfClass(CLSID_XofSplitter));
    EXPECT_TRUE(host.HasFilterOfClass(CLSID_AsyncReader));
    EXPECT_EQ(host.RunToCompletion(), EC_COMPLETE);
}

TEST(Graph, AFileOfAnotherVersionIsNotOurs) {
    CGraphHost host;
    Bytes bytes = MakeMovie(Movie());
    bytes[3] = 2;
    CTempFile file(bytes);
    host.Graph()->RenderFile(file.Path().c_str(), nullptr);
    EXPECT_FALSE(host.HasFilterOfClass(CLSID_XofSplitter));
}

class GraphPlayback : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        file = std::make_unique<CTempFile>(MakeMovie(Movie(GetParam()), &tags));
        host = std::make_unique<CGraphHost>();
        ASSERT_EQ(host->OpenWithSplitter(file->Path()), S_OK);
        ASSERT_EQ(host->RenderPinToGrabber(L"Video", nullptr, false, &video), S_OK);
        ASSERT_EQ(host->RenderPinToGrabber(L"Audio", nullptr, false, &audio), S_OK);
    }
    void TearDown() override {
        host.reset();
        file.reset();
    }

    // Stops, seeks through the graph and plays to the end.
    void PlayFrom(REFERENCE_TIME target) {
        host->Control()->Stop();
        video->Clear();
        audio->Clear();
        LONGLONG position = target;
        ASSERT_TRUE(SUCCEEDED(host->Seeking()->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr,
                                                            AM_SEEKING_NoPositioning)));
        ASSERT_EQ(host->RunToCompletion(), EC_COMPLETE);
    }

    std::vector<XofTagSpec> tags;
    std::unique_ptr<CTempFile> file;
    std::unique_ptr<CGraphHost> host;
    CGrabberRecorder* video = nullptr;
    CGrabberRecorder* audio = nullptr;
};

TEST_P(GraphPlayback, SamplesMatchTheTagsOfTheFile) {
    ASSERT_EQ(host->RunToCompletion(), EC_COMPLETE);
    std::vector<GrabbedSample> samples = video->Samples();
    std::vector<XofTagSpec> videoTags;
    for (const XofTagSpec& t : tags)
        if (t.type == 9) videoTags.push_back(t);
    ASSERT_EQ(samples.size(), videoTags.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        EXPECT_TRUE(samples[i].hasTime);
        EXPECT_EQ(samples[i].start, videoTags[i].timestampMs * kMs) << i;
        EXPECT_EQ(samples[i].sync, i % 25 == 0) << i;
        EXPECT_EQ(samples[i].discontinuity, i == 0) << i;
        EXPECT_FALSE(samples[i].preroll);
        EXPECT_EQ(samples[i].bytes, static_cast<long>(videoTags[i].data.size() - 1)) << i;
    }
    EXPECT_EQ(audio->Samples().size(), videoTags.size());
    EXPECT_TRUE(host->HasFilterOfClass(CLSID_XofSplitter));
}

TEST_P(GraphPlayback, SeeksToTheStartTheMiddleAndTheEnd) {
    LONGLONG duration = 0;
    ASSERT_EQ(host->Seeking()->GetDuration(&duration), S_OK);
    EXPECT_EQ(duration, 249 * 40 * kMs);

    PlayFrom(0);
    EXPECT_EQ(video->Samples().size(), 250u);

    PlayFrom(5020 * kMs);  // 20 ms after the key frame at 5000 ms
    std::vector<GrabbedSample> middle = video->Samples();
    ASSERT_FALSE(middle.empty());
    // Resumes at or before the key frame: preroll up to the target, then the rest.
    EXPECT_LE(middle.front().start, -20 * kMs);
    EXPECT_TRUE(middle.front().preroll);
    EXPECT_TRUE(middle.front().discontinuity);
    EXPECT_LE(middle.size(), 127u);
    EXPECT_GE(middle.size(), 125u);
    for (const GrabbedSample& s : middle) EXPECT_EQ(s.preroll, s.start < 0);

    for (LONGLONG target : {duration, duration + 5000 * kMs}) {
        PlayFrom(target);
        // Near the end, not from the beginning again.
        EXPECT_LE(video->Samples().size(), 27u) << target;
    }
}

INSTANTIATE_TEST_SUITE_P(Strategies, GraphPlayback, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "steppingBack" : "walkingBack"; });

TEST(Graph, Mp3AudioIsDecodedByThePlatformsDecoder) {
    CGraphHost host;
    XofMovie audioOnly = Movie();
    audioOnly.video = false;
    CTempFile file(MakeMovie(audioOnly));
    ASSERT_EQ(host.OpenWithSplitter(file.Path()), S_OK);
    AM_MEDIA_TYPE pcm = {};
    pcm.majortype = MEDIATYPE_Audio;
    pcm.subtype = MEDIASUBTYPE_PCM;
    CGrabberRecorder* decoded = nullptr;
    ASSERT_EQ(host.RenderPinToGrabber(L"Audio", &pcm, true, &decoded), S_OK);
    // A decoder stands between the splitter and the grabber.
    std::vector<CLSID> classes = host.FilterClasses();
    EXPECT_EQ(classes.size(), 5u);
    ASSERT_EQ(host.RunToCompletion(), EC_COMPLETE);
    long bytes = 0;
    for (const GrabbedSample& s : decoded->Samples()) bytes += s.bytes;
    // 250 frames of 1152 stereo 16-bit samples, give or take the decoder's delay.
    EXPECT_GT(bytes, 200 * 1152 * 4);
}

}  // namespace
