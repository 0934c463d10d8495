// libFuzzer target: open, demultiplex and seek the container parser over any bytes.
#include "portable/MemoryByteSource.h"
#include "portable/XofParser.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Reads packets until the end; every tag moves the reader on, so this ends, but
// the bound keeps a fault from looking like a hang.
void ReadSome(CXofParser& parser, int limit) {
    for (int i = 0; i < limit; ++i) {
        std::unique_ptr<Packet> packet;
        if (parser.ReadNext(packet) == XofReadStatus::End) return;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CMemoryByteSource source(data, size);
    // A small cache crosses its boundary often.
    int cacheLength = size > 0 ? 16 << (data[size - 1] % 8) : 64;
    int32_t hr = RESULT_OK;
    CCachedBitReader reader(&source, &hr, cacheLength, false, false);
    if (ResultFailed(hr)) return 0;
    CXofParser parser(reader);
    std::vector<XofStreamFormat> streams;
    int64_t duration = 0;
    if (ResultFailed(parser.Open(streams, duration))) return 0;
    parser.Seek(0);
    ReadSome(parser, 100000);
    for (int64_t time : {duration / 2, duration, duration + 10000000, int64_t{1}, duration / 3 * 2}) {
        parser.Seek(time);
        ReadSome(parser, 64);
    }
    return 0;
}
