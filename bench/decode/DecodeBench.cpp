// Prints, for a file played through our splitter and decoders into the platform's
// renderers: the time from creating the graph to the first frame shown (and, for a
// second graph, how much of it the graph manager's search for filters takes), the time
// from a seek to its frame, the CPU time per second of playback, and the CPU time per
// second of media that decoding alone takes (into sinks, as fast as it goes).
//   decode_bench FILE
#include "AudioDecoderFilter.h"
#include "BenchClock.h"
#include "DecoderChain.h"
#include "MediaColours.h"
#include "TestModules.h"
#include "VideoDecoderFilter.h"

#include <uuids.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

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

// The least CPU time of three passes (the process's times come in coarse ticks, and the
// machine may be busy), as the run script takes ffmpeg's. Under Wine the process's time
// is that of its live threads: each pass waits for the last one's threads to end, and
// one whose time goes back (a thread ended meanwhile) does not count.
template <class Filter>
double DecodeCpu(const std::wstring& file, LPCWSTR pin) {
    double least = -1;
    for (int pass = 0; pass < 3; ++pass) {
        HRESULT hr = S_OK;
        SinkOptions countOnly;
        countOnly.keepData = false;
        CDecoderChain chain(file, pin, new Filter(nullptr, &hr), countOnly);
        if (FAILED(chain.Built())) {
            std::fprintf(stderr, "%ls pass %d: the chain is not built (0x%08lx)\n", pin, pass + 1, chain.Built());
            return -1;
        }
        Sleep(300);
        double cpu = CpuSeconds();
        if (!chain.RunToEnd(120000)) {
            std::fprintf(stderr, "%ls pass %d: no end of stream\n", pin, pass + 1);
            return -1;
        }
        cpu = CpuSeconds() - cpu;
        if (cpu < 0)
            std::fprintf(stderr, "%ls pass %d: the process's time went back, not counted\n", pin, pass + 1);
        else if (least < 0 || cpu < least)
            least = cpu;
    }
    return least;
}

// A graph of the file, built one way and paused on its first frame.
struct ShownGraph {
    std::unique_ptr<CPlaybackGraph> graph;
    double builtMs = 0, shownMs = 0;  // since the graph's creation
};

bool ShowFirstFrame(const std::wstring& file, HRESULT (CPlaybackGraph::*build)(const std::wstring&), ShownGraph& shown) {
    const double start = NowSeconds();
    shown.graph = std::make_unique<CPlaybackGraph>();
    HRESULT built = shown.graph->Ready() ? (shown.graph.get()->*build)(file) : E_FAIL;
    shown.builtMs = (NowSeconds() - start) * 1000;
    if (FAILED(built) || FAILED(shown.graph->ShowVideo()) || shown.graph->Pause() != S_OK) return false;
    shown.shownMs = (NowSeconds() - start) * 1000;
    return true;
}

// The types of the graph's connections, one per connected output pin.
std::vector<CMediaType> ConnectionTypes(IGraphBuilder* graph) {
    std::vector<CMediaType> types;
    CComRef<IEnumFilters> filters;
    if (FAILED(graph->EnumFilters(filters.Receive()))) return types;
    CComRef<IBaseFilter> filter;
    while (filters->Next(1, filter.Receive(), nullptr) == S_OK) {
        CComRef<IEnumPins> pins;
        if (FAILED(filter->EnumPins(pins.Receive()))) continue;
        CComRef<IPin> pin;
        while (pins->Next(1, pin.Receive(), nullptr) == S_OK) {
            PIN_DIRECTION direction = PINDIR_INPUT;
            CMediaType type;
            if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_OUTPUT &&
                SUCCEEDED(pin->ConnectionMediaType(&type)))
                types.push_back(type);
        }
    }
    return types;
}

// Milliseconds the platform's filter mapper takes to list the filters for each type,
// asked as its graph manager asks for each output pin it renders.
double FilterSearchMs(const std::vector<CMediaType>& types) {
    CComRef<IFilterMapper2> mapper;
    if (FAILED(CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                mapper.ReceiveVoid())))
        return -1;
    const double start = NowSeconds();
    for (const CMediaType& type : types) {
        GUID pair[2] = {type.majortype, type.subtype};
        CComRef<IEnumMoniker> found;
        if (FAILED(mapper->EnumMatchingFilters(found.Receive(), 0, FALSE, MERIT_UNLIKELY, TRUE, 1, pair, nullptr,
                                               nullptr, FALSE, FALSE, 0, nullptr, nullptr, nullptr)))
            return -1;
        CComRef<IMoniker> moniker;
        while (found->Next(1, moniker.Receive(), nullptr) == S_OK) {
        }
    }
    return (NowSeconds() - start) * 1000;
}

// Milliseconds from a seek until the window shows the frame of the target (each
// second of the generated video has a colour of its own), or -1 after a second.
double SeekToFrameMs(CPlaybackGraph& graph, REFERENCE_TIME target) {
    const MediaColour wanted = ColourOfSecond(static_cast<int>(target / kSecond));
    const double start = NowSeconds();
    if (FAILED(graph.SeekTo(target))) return -1;
    while (!NearColour(graph.CentrePixel(), wanted.r, wanted.g, wanted.b)) {
        if (NowSeconds() - start > 1) return -1;
        graph.PumpFor(1);
    }
    return (NowSeconds() - start) * 1000;
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

    ShownGraph first;
    if (!ShowFirstFrame(file, &CPlaybackGraph::RenderFile, first)) {
        std::fprintf(stderr, "cannot play the file\n");
        return 1;
    }
    std::printf("first frame shown: %.1f ms (target: under 150); building the graph %.1f ms, pausing %.1f ms\n",
                first.shownMs, first.builtMs, first.shownMs - first.builtMs);
    CPlaybackGraph& graph = *first.graph;

    const REFERENCE_TIME duration = graph.Duration();
    const REFERENCE_TIME targets[] = {duration / 2, duration / 5, duration - kSecond / 2, kSecond, 0};
    double slowest = 0, total = 0;
    for (REFERENCE_TIME target : targets) {
        double taken = SeekToFrameMs(graph, target);
        if (taken < 0) {
            std::fprintf(stderr, "no frame shown after a seek to %.2f s\n", static_cast<double>(target) / kSecond);
            return 1;
        }
        total += taken;
        slowest = taken > slowest ? taken : slowest;
    }
    std::printf("seek to frame: %.1f ms on average, %.1f ms at most (target: under 100)\n", total / 5, slowest);

    double cpu = CpuSeconds(), wall = NowSeconds();
    graph.Run();
    graph.WaitForEvent({1 /* complete */, 2 /* user abort */, 3 /* error abort */}, 120000);
    double played = static_cast<double>(duration) / kSecond;
    std::printf("playback: %.3f s of CPU per second played (%.1f s played in %.1f s)\n", (CpuSeconds() - cpu) / played,
                played, NowSeconds() - wall);
    const std::vector<CMediaType> types = ConnectionTypes(graph.Graph());
    first.graph.reset();

    // A second graph, once the platform's parts are loaded: built by RenderFile, then
    // the same filters connected pin to pin (no search for filters).
    ShownGraph rendered, connected;
    bool again = ShowFirstFrame(file, &CPlaybackGraph::RenderFile, rendered);
    rendered.graph.reset();
    if (!again || !ShowFirstFrame(file, &CPlaybackGraph::ConnectFile, connected)) {
        std::fprintf(stderr, "cannot play the file again\n");
        return 1;
    }
    connected.graph.reset();
    std::printf("first frame of a second graph: %.1f ms through RenderFile, %.1f ms connected pin to pin; "
                "the filter mapper's searches for its %u connected output pins: %.1f ms\n",
                rendered.shownMs, connected.shownMs, static_cast<unsigned>(types.size()), FilterSearchMs(types));

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
