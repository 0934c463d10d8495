#include "SourceRun.h"
#include "XofGuids.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr REFERENCE_TIME kMs = 10000;

XofMovie SmallMovie(int frames = 50) {
    XofMovie movie;
    movie.frames = frames;
    movie.keyInterval = 10;
    movie.videoBytes = 1200;
    return movie;
}

// The tags of one track, in file order.
std::vector<XofTagSpec> TagsOf(const std::vector<XofTagSpec>& tags, uint8_t type) {
    std::vector<XofTagSpec> out;
    std::copy_if(tags.begin(), tags.end(), std::back_inserter(out),
                 [type](const XofTagSpec& t) { return t.type == type; });
    return out;
}

class SourceFilter : public testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
    void TearDown() override { CoUninitialize(); }
};

// Zero copy when the sink takes the pin's own allocator; copies into the sink's own
// when it refuses ours. Either way every byte, time and flag arrives.
struct DeliveryCase {
    const char* name;
    bool sinkInsistsOnItsAllocator;
    int frames;
    size_t videoBytes;  // from 16 KB lent from the reader's cache; above the cache, read around it
};

class SourceFilterDelivers : public SourceFilter, public testing::WithParamInterface<DeliveryCase> {};

TEST_P(SourceFilterDelivers, EveryTagToItsPinAndEndsEachStream) {
    XofMovie movie = SmallMovie(GetParam().frames);
    movie.videoBytes = GetParam().videoBytes;
    SinkOptions options;
    options.ownAllocatorOnly = GetParam().sinkInsistsOnItsAllocator;
    std::vector<XofTagSpec> tags;
    CSourceRun run(MakeMovie(movie, &tags), options);
    ASSERT_EQ(run.LoadResult(), S_OK);
    ASSERT_EQ(run.Run(), S_OK);
    ASSERT_TRUE(run.WaitForEnd());
    for (auto [name, type] : {std::pair<std::wstring, uint8_t>{L"Video", 9}, {L"Audio", 8}}) {
        CTestSinkPin* sink = run.Sink(name);
        ASSERT_NE(sink, nullptr);
        EXPECT_EQ(sink->UsesOwnAllocator(), GetParam().sinkInsistsOnItsAllocator);
        std::vector<ReceivedSample> samples = sink->Samples();
        std::vector<XofTagSpec> expected = TagsOf(tags, type);
        ASSERT_EQ(samples.size(), expected.size());
        for (size_t i = 0; i < samples.size(); ++i) {
            const ReceivedSample& s = samples[i];
            const XofTagSpec& t = expected[i];
            EXPECT_TRUE(s.hasTime);
            EXPECT_EQ(s.start, t.timestampMs * kMs);
            EXPECT_EQ(s.stop, s.start + 1);
            EXPECT_EQ(s.sync, type == 8 || (t.data[0] >> 4) == 1) << i;
            EXPECT_EQ(s.discontinuity, i == 0) << i;
            EXPECT_FALSE(s.preroll);
            EXPECT_EQ(s.data, Bytes(t.data.begin() + 1, t.data.end())) << i;
        }
        EXPECT_EQ(sink->EndOfStreamCount(), 1);
        EXPECT_EQ(sink->NewSegmentCount(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Roads, SourceFilterDelivers,
                         testing::Values(DeliveryCase{"zeroCopy", false, 50, 1200},
                                         DeliveryCase{"copyIntoTheSinksAllocator", true, 50, 1200},
                                         DeliveryCase{"zeroCopyLargeFrames", false, 6, 700000},
                                         DeliveryCase{"copyLargeFrames", true, 6, 700000},
                                         // Lent from the reader's cache blocks, several blocks' worth.
                                         DeliveryCase{"zeroCopyLentFrames", false, 150, 40000},
                                         DeliveryCase{"copyLentFrames", true, 150, 40000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SourceFilter, AFailingStreamStillEndsAndTheOtherPlaysOn) {
    SinkOptions failing;
    failing.failAfter = 3;
    std::vector<XofTagSpec> tags;
    CSourceRun run(MakeMovie(SmallMovie(), &tags), failing);
    ASSERT_EQ(run.LoadResult(), S_OK);
    ASSERT_EQ(run.Run(), S_OK);
    // Both sinks fail after three samples; each still hears the end of its stream.
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_EQ(run.Sink(L"Video")->Samples().size(), 3u);
    EXPECT_EQ(run.Sink(L"Audio")->Samples().size(), 3u);
}

TEST_F(SourceFilter, AnAllocatorThatGrantsLessIsNeverOverrun) {
    SinkOptions small;
    small.largestBuffer = 300;  // audio frames (417 bytes) and video frames do not fit
    small.ownAllocatorOnly = true;
    CSourceRun run(MakeMovie(SmallMovie()), small);
    ASSERT_EQ(run.LoadResult(), S_OK);
    ASSERT_EQ(run.Run(), S_OK);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Sink(L"Video")->Samples().empty());
    EXPECT_TRUE(run.Sink(L"Audio")->Samples().empty());
}

class SourceFilterAllocator : public SourceFilter, public testing::WithParamInterface<bool> {};

TEST_P(SourceFilterAllocator, GrowsToHalfAgainTheLargestPayload) {
    SinkOptions options;
    options.ownAllocatorOnly = GetParam();
    CSourceRun run(MakeMovie(SmallMovie()), options);
    ASSERT_EQ(run.LoadResult(), S_OK);
    ASSERT_EQ(run.Run(), S_OK);
    ASSERT_TRUE(run.WaitForEnd());
    CTestSinkPin* video = run.Sink(L"Video");
    ASSERT_NE(video, nullptr);
    ALLOCATOR_PROPERTIES properties = {};
    run.OutputPin(L"Video")->Allocator()->GetProperties(&properties);
    std::vector<ReceivedSample> samples = video->Samples();
    ASSERT_FALSE(samples.empty());
    // The first payload is the largest: a key frame body of 1200 bytes plus 6 header bytes.
    size_t payload = samples[0].data.size();
    EXPECT_EQ(properties.cbBuffer, static_cast<long>(payload * 3 / 2));
    EXPECT_EQ(properties.cBuffers, 1);
}

// The pin's own allocator, and the sink's that insists on it.
INSTANTIATE_TEST_SUITE_P(Roads, SourceFilterAllocator, testing::Values(false, true),
                         [](const auto& info) { return std::string(info.param ? "sinksOwn" : "pinsOwn"); });

struct RefusedCase {
    const char* name;
    Bytes file;
};

class SourceFilterRefuses : public testing::TestWithParam<RefusedCase> {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
    void TearDown() override { CoUninitialize(); }
};

TEST_P(SourceFilterRefuses, BrokenFiles) {
    CSourceRun run(GetParam().file);
    EXPECT_EQ(run.LoadResult(), E_FAIL);
    auto source = run.Query<IFileSourceFilter>(IID_IFileSourceFilter);
    LPOLESTR name = nullptr;
    ASSERT_EQ(source->GetCurFile(&name, nullptr), S_OK);
    EXPECT_STREQ(name, L"");
    CoTaskMemFree(name);
}

Bytes Truncated(Bytes b, size_t size) {
    b.resize(size);
    return b;
}

INSTANTIATE_TEST_SUITE_P(Files, SourceFilterRefuses,
                         testing::Values(RefusedCase{"empty", Bytes{}},
                                         RefusedCase{"version2",
                                                     [] {
                                                         Bytes b = MakeMovie(SmallMovie(5));
                                                         b[3] = 2;
                                                         return b;
                                                     }()},
                                         RefusedCase{"headerOnly", Truncated(MakeMovie(SmallMovie(5)), 9)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SourceFilter, AMissingFileFailsAndLeavesNoName) {
    HRESULT hr = S_OK;
    CComRef<IBaseFilter> filter(new CXofSourceFilter(nullptr, &hr));
    CComRef<IFileSourceFilter> source;
    ASSERT_EQ(source.QueryFrom(filter.Get(), IID_IFileSourceFilter), S_OK);
    EXPECT_EQ(source->Load(L"C:\\no such folder\\missing.xof", nullptr), E_FAIL);
    LPOLESTR name = nullptr;
    ASSERT_EQ(source->GetCurFile(&name, nullptr), S_OK);
    EXPECT_STREQ(name, L"");
    CoTaskMemFree(name);
    EXPECT_EQ(source->Load(nullptr, nullptr), E_POINTER);
    EXPECT_EQ(source->GetCurFile(nullptr, nullptr), E_POINTER);
}

TEST_F(SourceFilter, PinsComeOutputsFirstAndOnlyTheSplitterHasAnInput) {
    CSourceRun run(MakeMovie(SmallMovie(5)));
    ASSERT_EQ(run.LoadResult(), S_OK);
    CComRef<IEnumPins> pins;
    ASSERT_EQ(run.Filter()->EnumPins(pins.Receive()), S_OK);
    std::vector<std::wstring> names;
    for (int i = 0; i < 8; ++i) {
        CComRef<IPin> pin;
        if (pins->Next(1, pin.Receive(), nullptr) != S_OK) break;
        PIN_INFO info = {};
        pin->QueryPinInfo(&info);
        info.pFilter->Release();
        names.push_back(info.achName);
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Video", L"Audio"}));

    HRESULT hr = S_OK;
    CXofSplitterFilter* splitter = new CXofSplitterFilter(nullptr, &hr);
    CComRef<IBaseFilter> splitterFilter(splitter);
    EXPECT_EQ(splitter->GetPinCount(), 1);
    ASSERT_NE(splitter->GetPin(0), nullptr);
    EXPECT_STREQ(splitter->GetPin(0)->Name(), L"Input");
    EXPECT_EQ(splitter->GetPin(1), nullptr);
    CComRef<IFileSourceFilter> none;
    EXPECT_EQ(none.QueryFrom(splitterFilter.Get(), IID_IFileSourceFilter), E_NOINTERFACE);
    CLSID clsid;
    splitterFilter->GetClassID(&clsid);
    EXPECT_EQ(clsid, CLSID_XofSplitter);
    run.Filter()->GetClassID(&clsid);
    EXPECT_EQ(clsid, CLSID_XofSource);
}

TEST_F(SourceFilter, ANewLoadIsRefusedWhileRunningAndChangesNothing) {
    CSourceRun run(MakeMovie(SmallMovie(200)));
    ASSERT_EQ(run.LoadResult(), S_OK);
    ASSERT_EQ(run.Run(), S_OK);
    auto seeking = run.Query<IMediaSeeking>(IID_IMediaSeeking);
    LONGLONG before = 0;
    seeking->GetDuration(&before);
    CTempFile other(MakeMovie(SmallMovie(5)));
    auto source = run.Query<IFileSourceFilter>(IID_IFileSourceFilter);
    LPOLESTR loaded = nullptr;
    ASSERT_EQ(source->GetCurFile(&loaded, nullptr), S_OK);
    EXPECT_EQ(source->Load(other.Path().c_str(), nullptr), VFW_E_NOT_STOPPED);
    LONGLONG after = 0;
    seeking->GetDuration(&after);
    EXPECT_EQ(after, before);
    LPOLESTR still = nullptr;
    ASSERT_EQ(source->GetCurFile(&still, nullptr), S_OK);
    EXPECT_STREQ(still, loaded);
    EXPECT_STRNE(still, L"");
    CoTaskMemFree(loaded);
    CoTaskMemFree(still);
    EXPECT_NE(run.OutputPin(L"Video"), nullptr);
    EXPECT_TRUE(run.WaitForEnd());
}

TEST_F(SourceFilter, ARateAboveOneShortensTheTimes) {
    std::vector<XofTagSpec> tags;
    CSourceRun run(MakeMovie(SmallMovie(20), &tags));
    ASSERT_EQ(run.LoadResult(), S_OK);
    auto seeking = run.Query<IMediaSeeking>(IID_IMediaSeeking);
    ASSERT_EQ(seeking->SetRate(2.0), S_OK);
    EXPECT_EQ(seeking->SetRate(0), E_INVALIDARG);
    ASSERT_EQ(run.Run(), S_OK);
    ASSERT_TRUE(run.WaitForEnd());
    std::vector<ReceivedSample> samples = run.Sink(L"Video")->Samples();
    ASSERT_EQ(samples.size(), 20u);
    EXPECT_EQ(samples[19].start, 19 * 40 * kMs / 2);
}

TEST_F(SourceFilter, BitRatesAppearOnceASecondHasPassed) {
    CSourceRun shortRun(MakeMovie(SmallMovie(20)));  // 0.8 s
    CSourceRun longRun(MakeMovie(SmallMovie(100)));  // 4 s
    for (CSourceRun* run : {&shortRun, &longRun}) {
        ASSERT_EQ(run->LoadResult(), S_OK);
        ASSERT_EQ(run->Run(), S_OK);
        ASSERT_TRUE(run->WaitForEnd());
    }
    CComRef<IBitRateInfo> shortRate, longRate;
    shortRate.QueryFrom(static_cast<IPin*>(shortRun.OutputPin(L"Video")), IID_IBitRateInfo);
    longRate.QueryFrom(static_cast<IPin*>(longRun.OutputPin(L"Video")), IID_IBitRateInfo);
    EXPECT_EQ(shortRate->GetCurrentRate(), 0u);
    EXPECT_EQ(shortRate->GetAverageRate(), 0u);
    // About 1.2 kB every 40 ms: some 240 kbit/s.
    EXPECT_GT(longRate->GetAverageRate(), 200000u);
    EXPECT_LT(longRate->GetAverageRate(), 300000u);
}

TEST_F(SourceFilter, BufferInformationPerOutput) {
    CSourceRun run(MakeMovie(SmallMovie(5)));
    ASSERT_EQ(run.LoadResult(), S_OK);
    auto info = run.Query<IBufferInfo>(IID_IBufferInfo);
    EXPECT_EQ(info->GetQueueCount(), 2);
    int samples = -1, bytes = -1;
    EXPECT_EQ(info->GetQueueStatus(0, &samples, &bytes), S_OK);
    EXPECT_EQ(samples, 0);
    EXPECT_EQ(info->GetQueueStatus(2, &samples, &bytes), E_INVALIDARG);
    EXPECT_EQ(info->GetQueueStatus(-1, &samples, &bytes), E_INVALIDARG);
    EXPECT_EQ(info->GetQueuePriority(), static_cast<DWORD>(THREAD_PRIORITY_NORMAL));
}

}  // namespace
