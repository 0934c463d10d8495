#include "SourceRun.h"

#include <gtest/gtest.h>
#include <uuids.h>

namespace {

constexpr REFERENCE_TIME kMs = 10000;

XofMovie LongMovie() {
    XofMovie movie;
    movie.frames = 500;  // 20 s
    movie.keyInterval = 25;
    movie.videoBytes = 1000;
    return movie;
}

class FilterSeeking : public testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        run = std::make_unique<CSourceRun>(MakeMovie(LongMovie()));
        ASSERT_EQ(run->LoadResult(), S_OK);
        seeking = run->Query<IMediaSeeking>(IID_IMediaSeeking);
    }
    void TearDown() override {
        seeking.Reset();
        run.reset();
        CoUninitialize();
    }

    CComRef<IMediaSeeking> PinSeeking(LPCWSTR name) {
        CComRef<IMediaSeeking> s;
        s.QueryFrom(static_cast<IPin*>(run->OutputPin(name)), IID_IMediaSeeking);
        return s;
    }

    std::unique_ptr<CSourceRun> run;
    CComRef<IMediaSeeking> seeking;
};

TEST_F(FilterSeeking, ReportsItsCapabilitiesAndTimeFormat) {
    DWORD caps = 0;
    ASSERT_EQ(seeking->GetCapabilities(&caps), S_OK);
    EXPECT_EQ(caps, 0x37u);
    struct {
        DWORD asked;
        HRESULT expected;
    } checks[] = {{0, S_OK}, {0x37, S_OK}, {0x01, S_FALSE}, {0x40, E_FAIL}, {0x41, S_FALSE}, {0xFF, S_FALSE}};
    for (auto check : checks) {
        DWORD asked = check.asked;
        EXPECT_EQ(seeking->CheckCapabilities(&asked), check.expected) << check.asked;
        EXPECT_EQ(asked, check.asked);
    }
    EXPECT_EQ(seeking->CheckCapabilities(nullptr), E_POINTER);
    EXPECT_EQ(seeking->IsFormatSupported(&TIME_FORMAT_MEDIA_TIME), S_OK);
    EXPECT_EQ(seeking->IsFormatSupported(&TIME_FORMAT_FRAME), S_FALSE);
    EXPECT_EQ(seeking->SetTimeFormat(&TIME_FORMAT_FRAME), E_INVALIDARG);
    LONGLONG duration = 0, earliest = -1, latest = 0, current = 0;
    ASSERT_EQ(seeking->GetDuration(&duration), S_OK);
    EXPECT_EQ(duration, 499 * 40 * kMs);
    seeking->GetAvailable(&earliest, &latest);
    EXPECT_EQ(earliest, 0);
    EXPECT_EQ(latest, duration);
    EXPECT_EQ(seeking->GetCurrentPosition(&current), E_NOTIMPL);
    // The pins answer for the filter.
    LONGLONG pinDuration = 0;
    PinSeeking(L"Audio")->GetDuration(&pinDuration);
    EXPECT_EQ(pinDuration, duration);
}

TEST_F(FilterSeeking, ASeekWhileStoppedTakesEffectWhenPlaybackStarts) {
    LONGLONG target = 10100 * kMs, stop = 0;  // between frames, 100 ms after a key frame
    ASSERT_EQ(seeking->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr, 0), S_OK);
    ASSERT_EQ(run->Run(), S_OK);
    ASSERT_TRUE(run->WaitForEnd());
    CTestSinkPin* video = run->Sink(L"Video");
    EXPECT_EQ(video->LastSegmentStart(), target);
    EXPECT_EQ(video->FlushCount(), 0);
    std::vector<ReceivedSample> samples = video->Samples();
    ASSERT_FALSE(samples.empty());
    // Times are relative to the segment: the key frame before the target is preroll.
    EXPECT_EQ(samples[0].start, -100 * kMs);
    EXPECT_TRUE(samples[0].preroll);
    EXPECT_TRUE(samples[0].sync);
    EXPECT_TRUE(samples[0].discontinuity);
    for (const ReceivedSample& s : samples) EXPECT_EQ(s.preroll, s.start < 0);
    EXPECT_FALSE(samples.back().preroll);
    seeking->GetPositions(nullptr, &stop);
    EXPECT_EQ(stop, 499 * 40 * kMs);
}

TEST_F(FilterSeeking, PinsRelayingOneSeekSeekOnceWhileTheSameSeekerSeeksAgain) {
    ASSERT_EQ(run->Run(), S_OK);
    ASSERT_TRUE(run->WaitForEnd());
    CTestSinkPin* audio = run->Sink(L"Audio");
    LONGLONG target = 5000 * kMs;
    ASSERT_EQ(PinSeeking(L"Video")->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr, 0), S_OK);
    ASSERT_EQ(PinSeeking(L"Audio")->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr, 0), S_OK);
    EXPECT_EQ(audio->FlushCount(), 1);
    ASSERT_TRUE(run->WaitForEnd());
    // Playback moved the current position on: the same pin asking again seeks again.
    ASSERT_EQ(PinSeeking(L"Video")->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr, 0), S_OK);
    EXPECT_EQ(audio->FlushCount(), 2);
    ASSERT_TRUE(run->WaitForEnd());
    EXPECT_EQ(audio->LastSegmentStart(), target);
}

TEST_F(FilterSeeking, NoPositioningAndUnchangedPositionsDoNothing) {
    ASSERT_EQ(run->Run(), S_OK);
    ASSERT_TRUE(run->WaitForEnd());
    LONGLONG value = 1234 * kMs;
    EXPECT_EQ(seeking->SetPositions(&value, AM_SEEKING_NoPositioning, &value, AM_SEEKING_NoPositioning), S_OK);
    EXPECT_EQ(seeking->SetPositions(nullptr, AM_SEEKING_AbsolutePositioning, nullptr, 0), S_OK);
    EXPECT_EQ(run->Sink(L"Video")->FlushCount(), 0);
}

TEST_F(FilterSeeking, StopPositionsCanBeRelativeToTheNewCurrentPosition) {
    LONGLONG current = 2000 * kMs, stop = 500 * kMs, gotCurrent = 0, gotStop = 0;
    ASSERT_EQ(seeking->SetPositions(&current, AM_SEEKING_AbsolutePositioning, &stop, AM_SEEKING_IncrementalPositioning),
              S_OK);
    seeking->GetPositions(&gotCurrent, nullptr);
    EXPECT_EQ(gotCurrent, 2000 * kMs);
    // The segment that starts carries the stop: 500 ms after the new position.
    ASSERT_EQ(run->Run(), S_OK);
    ASSERT_TRUE(run->WaitForEnd());
    EXPECT_EQ(run->Sink(L"Video")->LastSegmentStart(), 2000 * kMs);
    EXPECT_EQ(run->Sink(L"Video")->CurrentStopTime(), 2500 * kMs);
    seeking->GetPositions(nullptr, &gotStop);
    EXPECT_EQ(gotStop, 2500 * kMs);
}

TEST_F(FilterSeeking, RelativePositionsMoveFromTheCurrentOne) {
    LONGLONG current = 2000 * kMs, back = -1000 * kMs, got = 0;
    ASSERT_EQ(seeking->SetPositions(&current, AM_SEEKING_AbsolutePositioning, nullptr, 0), S_OK);
    ASSERT_EQ(seeking->SetPositions(&back, AM_SEEKING_RelativePositioning, nullptr, 0), S_OK);
    seeking->GetPositions(&got, nullptr);
    EXPECT_EQ(got, 1000 * kMs);
}

TEST(FilterSeekingInterrupted, AnInterruptedSegmentGetsNoEndOfStream) {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
        // The sinks hold the first segment back until the seek flushes them.
        SinkOptions holding;
        holding.holdUntilFlush = true;
        CSourceRun run(MakeMovie(LongMovie()), holding);
        ASSERT_EQ(run.LoadResult(), S_OK);
        ASSERT_EQ(run.Run(), S_OK);
        auto seeking = run.Query<IMediaSeeking>(IID_IMediaSeeking);
        LONGLONG target = 15000 * kMs;
        ASSERT_EQ(seeking->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr, 0), S_OK);
        ASSERT_TRUE(run.WaitForEnd());
        Sleep(50);
        EXPECT_EQ(run.Sink(L"Video")->EndOfStreamCount(), 1);
        EXPECT_EQ(run.Sink(L"Audio")->EndOfStreamCount(), 1);
        EXPECT_EQ(run.Sink(L"Video")->LastSegmentStart(), target);
    }
    CoUninitialize();
}

struct EndSeekCase {
    const char* name;
    REFERENCE_TIME target;  // from the end
};

class FilterSeekingToTheEnd : public FilterSeeking, public testing::WithParamInterface<EndSeekCase> {};

TEST_P(FilterSeekingToTheEnd, PlaysOnlyTheTailAndEnds) {
    LONGLONG duration = 0;
    seeking->GetDuration(&duration);
    LONGLONG target = duration + GetParam().target;
    ASSERT_EQ(seeking->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr, 0), S_OK);
    ASSERT_EQ(run->Run(), S_OK);
    ASSERT_TRUE(run->WaitForEnd());
    // Not a restart from the beginning: a key-frame interval at most.
    EXPECT_LE(run->Sink(L"Video")->Samples().size(), 27u);
}

INSTANTIATE_TEST_SUITE_P(Targets, FilterSeekingToTheEnd,
                         testing::Values(EndSeekCase{"atTheEnd", 0}, EndSeekCase{"pastTheEnd", 60000 * kMs}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
