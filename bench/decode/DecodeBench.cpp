// Prints, for a file played through our splitter and decoders into the platform's
// renderers: the time from creating the graph to the first frame shown, the time from
// a seek to its frame, the CPU time per second of playback, and the CPU time per
// second of media that decoding alone takes (into sinks, as fast as it goes).
//   decode_bench FILE
#include "AudioDecoderFilter.h"
#include "BenchClock.h"
#include "DecoderChain.h"
#include "TestModules.h"
#include "VideoDecoderFilter.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr REFERENCE_TIME kSecond = 10000000;

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

template <class Filter>
double DecodeCpu(const std::wstring& file, LPCWSTR pin) {
    HRESULT hr = S_OK;
    SinkOptions countOnly;
    countOnly.keepData = false;
    CDecoderChain chain(file, pin, new Filter(nullptr, &hr), countOnly);
    if (FAILED(chain.Built())) return -1;
    double cpu = CpuSeconds();
    if (!chain.RunToEnd(120000)) return -1;
    return CpuSeconds() - cpu;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: decode_bench FILE\n");
        return 2;
    }
    const std::string path = argv[1];
    const std::wstring file(path.begin(), path.end());
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (!RegisterTestModules()) {
        std::fprintf(stderr, "cannot register the modules\n");
        return 1;
    }

    double start = NowSeconds();
    auto graph = std::make_unique<CPlaybackGraph>();
    HRESULT rendered = graph->Ready() ? graph->RenderFile(file) : E_FAIL;
    double built = NowSeconds();
    if (FAILED(rendered) || FAILED(graph->ShowVideo()) || graph->Pause() != S_OK) {
        std::fprintf(stderr, "cannot play the file\n");
        return 1;
    }
    double shown = NowSeconds();
    std::printf("first frame shown: %.1f ms (target: under 150); building the graph %.1f ms, pausing %.1f ms\n",
                (shown - start) * 1000, (built - start) * 1000, (shown - built) * 1000);

    const REFERENCE_TIME duration = graph->Duration();
    const REFERENCE_TIME targets[] = {duration / 2, duration / 5, duration - kSecond / 2, kSecond, 0};
    double slowest = 0, total = 0;
    for (REFERENCE_TIME target : targets) {
        double seek = NowSeconds();
        graph->SeekTo(target);
        graph->Pause();
        double taken = NowSeconds() - seek;
        total += taken;
        slowest = taken > slowest ? taken : slowest;
    }
    std::printf("seek to frame: %.1f ms on average, %.1f ms at most (target: under 100)\n", total / 5 * 1000,
                slowest * 1000);

    double cpu = CpuSeconds(), wall = NowSeconds();
    graph->Run();
    graph->WaitForEvent({1 /* complete */, 2 /* user abort */, 3 /* error abort */}, 120000);
    double played = static_cast<double>(duration) / kSecond;
    std::printf("playback: %.3f s of CPU per second played (%.1f s played in %.1f s)\n", (CpuSeconds() - cpu) / played,
                played, NowSeconds() - wall);
    graph.reset();

    double video = DecodeCpu<CVideoDecoderFilter>(file, L"Video");
    double audio = DecodeCpu<CAudioDecoderFilter>(file, L"Audio");
    if (video < 0 || audio < 0) {
        std::fprintf(stderr, "cannot decode the file\n");
        return 1;
    }
    std::printf("decoding alone: %.4f s of CPU per second of media (video %.3f s, sound %.3f s)\n",
                (video + audio) / played, video, audio);
    CoUninitialize();
    return 0;
}
