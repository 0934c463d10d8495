// Broken media never crash or hang a graph through our decoders: codec data that is
// noise, streams cut short or overwritten in the middle, pictures changing size.
// Rendering may fail, playing may end early; it ends, a seek flushes, and it stops.
// VP6 and H.264 have no encoder here, so their decoders are tested this way.
#include "AudioDecoderFilter.h"
#include "PlaybackGraph.h"
#include "TestModules.h"
#include "VideoDecoderFilter.h"
#include "files/ScratchFolder.h"
#include "xof/XofWriter.h"

#include <gtest/gtest.h>

#include <evcode.h>

#include <fstream>
#include <iterator>

namespace {

constexpr REFERENCE_TIME kSecond = 10000000;

// Fifty video tags (and sound between them), 40 ms apart.
Bytes Stream(const Bytes& videoConfig, const std::function<Bytes(int)>& video, const Bytes& audioConfig,
             const std::function<Bytes(int)>& audio) {
    CXofWriter writer;
    if (!videoConfig.empty()) writer.AddTag(9, 0, videoConfig);
    if (!audioConfig.empty()) writer.AddTag(8, 0, audioConfig);
    for (int i = 0; i < 50; ++i) {
        if (video) writer.AddTag(9, i * 40, video(i));
        if (audio) writer.AddTag(8, i * 40, audio(i));
    }
    return writer.Finish();
}

Bytes GeneratedFile(const char* name) {
    std::string path = std::string(TEST_MEDIA_DIR) + "/" + name + ".xof";
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct BrokenCase {
    const char* name;
    std::function<Bytes()> make;
    bool videoDecoder, audioDecoder;  // ours in the graph once rendered
};

class BrokenMedia : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenMedia, EndsAndStopsWithoutCrashingOrHanging) {
    const BrokenCase& c = GetParam();
    ScratchFolder folder;
    Bytes bytes = c.make();
    std::wstring file = folder.Write(L"broken.xof", std::string(bytes.begin(), bytes.end()));
    CPlaybackGraph graph(false);
    ASSERT_TRUE(graph.Ready());
    HRESULT rendered = graph.RenderFile(file);
    if (FAILED(rendered)) return;  // refused: nothing to play
    EXPECT_EQ(graph.HasFilterOfClass(CLSID_ZemoVideoDecoder), c.videoDecoder);
    EXPECT_EQ(graph.HasFilterOfClass(CLSID_ZemoAudioDecoder), c.audioDecoder);
    if (SUCCEEDED(graph.Run())) {
        EXPECT_NE(graph.WaitForEvent({EC_COMPLETE, EC_ERRORABORT, EC_USERABORT}, 20000), 0);
        // A seek back flushes the decoders and plays on.
        EXPECT_TRUE(SUCCEEDED(graph.SeekTo(kSecond / 2)));
        EXPECT_NE(graph.WaitForEvent({EC_COMPLETE, EC_ERRORABORT, EC_USERABORT}, 20000), 0);
    }
    EXPECT_TRUE(SUCCEEDED(graph.Stop()));
}

const Bytes kNoConfig;

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenMedia,
    testing::Values(
        BrokenCase{"flv1Noise",
                   [] {
                       return Stream(
                           kNoConfig, [](int i) { return H263Frame(i % 10 == 0 ? 1 : 2, 5, 0, 0, 300); }, kNoConfig,
                           nullptr);
                   },
                   true, false},
        BrokenCase{"flv1SizeChangesMidStream",
                   [] {
                       return Stream(
                           kNoConfig, [](int i) { return H263Frame(1, i < 25 ? 5 : 3, 0, 0, 300); }, kNoConfig,
                           nullptr);
                   },
                   true, false},
        BrokenCase{"vp6Noise",
                   [] {
                       return Stream(
                           kNoConfig,
                           [](int i) {
                               return Vp6Frame(i % 10 == 0 ? 1 : 2, false, 320, 240, 320, 240, 0x12, i % 10 != 0, 300);
                           },
                           kNoConfig, nullptr);
                   },
                   true, false},
        BrokenCase{"vp6WithDisplaySize",
                   [] {
                       return Stream(
                           kNoConfig, [](int i) { return Vp6Frame(1, false, 320, 240, 640, 480, 0, false, 300); },
                           kNoConfig, nullptr);
                   },
                   true, false},
        BrokenCase{"avcNoise",
                   [] {
                       return Stream(
                           AvcConfig(320, 240), [](int i) { return AvcFrame(i % 10 == 0 ? 1 : 2, 0, 300); }, kNoConfig,
                           nullptr);
                   },
                   true, false},
        BrokenCase{"avcHighProfileNoise",
                   [] {
                       return Stream(
                           AvcConfig(640, 480, 100), [](int i) { return AvcFrame(1, 80, 300); }, kNoConfig, nullptr);
                   },
                   true, false},
        BrokenCase{"aacNoise",
                   [] { return Stream(kNoConfig, nullptr, AacConfig(2, 4, 2), [](int) { return AacRaw(200); }); },
                   false, true},
        // The platform's own MP3 decoder ranks above ours.
        BrokenCase{"mp3Noise", [] { return Stream(kNoConfig, nullptr, kNoConfig, [](int) { return Mp3Audio(); }); },
                   false, false},
        BrokenCase{"cutInHalf",
                   [] {
                       Bytes b = GeneratedFile("flv1_aac_2s");
                       b.resize(b.size() / 2);
                       return b;
                   },
                   true, true},
        BrokenCase{"overwrittenInTheMiddle",
                   [] {
                       Bytes b = GeneratedFile("flv1_aac_2s");
                       Bytes noise = Pattern(4000, 11);
                       std::copy(noise.begin(), noise.end(), b.begin() + static_cast<ptrdiff_t>(b.size() / 3));
                       return b;
                   },
                   true, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
