// Demultiplexes a large generated ".xof" file through the source filter into null
// sinks, as fast as it goes, and prints the throughput of both delivery roads: sinks
// that take the pins' own allocators (no copy), and sinks that insist on their own
// in-process allocators (a copy per packet).
//   xof_demux_bench FILE [MEGABYTES]   FILE is written first when it does not exist
#include "BenchClock.h"
#include "XofSplitterFilter.h"
#include "dshow/TestSinkFilter.h"
#include "xof/XofWriter.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// About 5 Mbit/s of video at 25 frames a second (a key frame every 50) and MP3 audio.
Bytes MakeBenchFile(size_t megabytes) {
    const size_t target = megabytes * 1024 * 1024;
    CXofWriter writer;
    Bytes keyBody = Pattern(60000, 1), interBody = Pattern(22000, 2);
    Bytes key = Concat(H263Frame(1, 1, 1280, 720, 0), keyBody);
    Bytes inter = Concat(H263Frame(2, 1, 1280, 720, 0), interBody);
    Bytes audio = Mp3Audio();
    size_t size = 0;
    uint32_t audioMs = 0;
    for (uint32_t frame = 0; size < target; ++frame) {
        uint32_t ms = frame * 40;
        const Bytes& video = frame % 50 == 0 ? key : inter;
        writer.AddTag(9, ms, video);
        size += video.size() + 15;
        // One MP3 frame every 26 ms.
        for (; audioMs <= ms; audioMs += 26) {
            writer.AddTag(8, audioMs, audio);
            size += audio.size() + 15;
        }
    }
    return writer.Finish();
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// One pass from Run to the end of every stream; the seconds it took, or -1.
double DemuxOnce(const std::wstring& path, bool sinksOwnAllocators, int64_t* bytesDelivered) {
    HRESULT hr = S_OK;
    auto* source = new CXofSourceFilter(nullptr, &hr);
    CComRef<IBaseFilter> filter(source);
    CComRef<IFileSourceFilter> load;
    load.QueryFrom(filter.Get(), IID_IFileSourceFilter);
    if (FAILED(load->Load(path.c_str(), nullptr))) return -1;
    SinkOptions options;
    options.keepData = false;
    options.ownAllocatorOnly = sinksOwnAllocators;
    std::vector<CComRef<IBaseFilter>> sinks;
    std::vector<CTestSinkPin*> pins;
    for (int i = 0; i < source->GetPinCount(); ++i) {
        auto* sink = new CTestSinkFilter(options);
        sinks.emplace_back(sink);
        pins.push_back(sink->Pin());
        if (FAILED(source->GetPin(i)->Connect(sink->Pin(), nullptr))) return -1;
    }
    for (auto& sink : sinks) sink->Run(0);
    double start = NowSeconds();
    if (FAILED(filter->Run(0))) return -1;
    for (CTestSinkPin* pin : pins)
        if (!pin->WaitForEndOfStream(600000)) return -1;
    double seconds = NowSeconds() - start;
    filter->Stop();
    *bytesDelivered = 0;
    for (CTestSinkPin* pin : pins) *bytesDelivered += pin->ByteCount();
    for (int i = 0; i < source->GetPinCount(); ++i) {
        source->GetPin(i)->GetConnected()->Disconnect();
        source->GetPin(i)->Disconnect();
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [MEGABYTES]\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    const size_t megabytes = argc > 2 ? std::stoul(argv[2]) : 200;
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("writing %s (%zu MB)\n", path.c_str(), megabytes);
        if (!WriteFileBytes(path, MakeBenchFile(megabytes))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes);
    const double fileMB = ((static_cast<uint64_t>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow) / 1e6;
    for (bool copying : {false, true}) {
        const char* road = copying ? "copying" : "zero copy";
        double best = -1;
        for (int pass = 0; pass < 3; ++pass) {
            int64_t delivered = 0;
            double seconds = DemuxOnce(Wide(path), copying, &delivered);
            if (seconds <= 0) {
                std::fprintf(stderr, "demultiplexing failed\n");
                return 1;
            }
            std::printf("%s pass %d: %.1f MB in %.3f s, %.1f MB/s (%.1f MB of payload delivered)\n", road, pass + 1,
                        fileMB, seconds, fileMB / seconds, delivered / 1e6);
            if (best < 0 || seconds < best) best = seconds;
        }
        std::printf("splitter, %s: %.1f MB/s\n", road, fileMB / best);
    }
    CoUninitialize();
    return 0;
}
