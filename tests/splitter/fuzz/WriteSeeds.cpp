// Writes the fuzzer's starting corpus: one generated file of each kind.
#include "xof/XofWriter.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    auto single = [](uint8_t type, const Bytes& data) {
        CXofWriter w;
        w.AddTag(type, 0, data);
        w.AddTag(type, 40, data);
        return w.Finish();
    };
    XofMovie movie;
    movie.frames = 30;
    movie.videoBytes = 200;
    XofMovie broken = movie;
    broken.brokenPreviousSizes = true;
    const std::pair<const char*, Bytes> seeds[] = {
        {"movie", MakeMovie(movie)},
        {"broken-previous-sizes", MakeMovie(broken)},
        {"pcm", single(8, PcmAudio(2, 1, 1, 64))},
        {"nellymoser", single(8, NellymoserAudio(6, 64))},
        {"aac", Concat(single(8, AacConfig(2, 4, 2)), single(8, AacRaw(40)))},
        {"vp6", single(9, Vp6Frame(1, false, 320, 240, 640, 240, 0x21))},
        {"vp6-alpha", single(9, Vp6Frame(1, true, 160, 128, 0, 0))},
        {"avc", single(9, AvcConfig(640, 352, 100, false))},
        {"h263-custom", single(9, H263Frame(1, 1, 1280, 720))},
    };
    for (const auto& seed : seeds) {
        if (!WriteFileBytes(folder + "/" + seed.first + ".xof", seed.second)) {
            std::fprintf(stderr, "cannot write %s\n", seed.first);
            return 1;
        }
    }
    return 0;
}
