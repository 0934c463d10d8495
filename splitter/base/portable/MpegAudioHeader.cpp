#include "MpegAudioHeader.h"

namespace {

// kbit/s by bit-rate index: MPEG-1 layers I, II, III; MPEG-2 layer I; MPEG-2 layers II and III.
const int kBitrates[5][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
};

// Hz by version (0 MPEG 2.5, 2 MPEG-2, 3 MPEG-1) and sampling index.
const int kSampleRates[4][3] = {
    {11025, 12000, 8000},
    {0, 0, 0},
    {22050, 24000, 16000},
    {44100, 48000, 32000},
};

int BitrateColumn(const MpegAudioHeader& h) {
    if (h.version & 1) return h.layer - 1;
    return h.layer == 1 ? 3 : 4;
}

}  // namespace

bool ReadMpegAudioHeader(CCachedBitReader& file, int bytesToSearch, bool allowMpeg25, MpegAudioHeader& h) {
    h = MpegAudioHeader();
    const int syncBits = allowMpeg25 ? 11 : 12;
    const uint64_t syncValue = (uint64_t{1} << syncBits) - 1;
    for (;; --bytesToSearch) {
        if (bytesToSearch < 4 || file.GetRemaining() < 4) return false;
        if (file.ReadBits(syncBits, true) == syncValue) break;
        file.ReadBits(8);
        if (file.HasReadError()) return false;
    }
    file.ReadBits(11);
    h.version = static_cast<int>(file.ReadBits(2));
    h.layer = static_cast<int>(file.ReadBits(2));
    h.protection = static_cast<int>(file.ReadBits(1));
    h.bitrateIndex = static_cast<int>(file.ReadBits(4));
    h.samplingIndex = static_cast<int>(file.ReadBits(2));
    h.padding = static_cast<int>(file.ReadBits(1));
    h.privateBit = static_cast<int>(file.ReadBits(1));
    h.channelMode = static_cast<int>(file.ReadBits(2));
    h.modeExtension = static_cast<int>(file.ReadBits(2));
    h.copyright = static_cast<int>(file.ReadBits(1));
    h.original = static_cast<int>(file.ReadBits(1));
    h.emphasis = static_cast<int>(file.ReadBits(2));
    if (file.HasReadError() || h.version == 1 || h.layer == 0 || h.samplingIndex == 3 || h.bitrateIndex == 15 ||
        h.emphasis == 2)
        return false;
    h.layer = 4 - h.layer;
    h.bitrate = 1000 * kBitrates[BitrateColumn(h)][h.bitrateIndex];
    if (h.bitrate == 0) return false;
    h.sampleRate = kSampleRates[h.version][h.samplingIndex];
    h.extension = h.layer == 3 && h.version != 3;
    if (h.layer == 1)
        h.frameSize = (12 * h.bitrate / h.sampleRate + h.padding) * 4;
    else
        h.frameSize = (h.extension ? 72 : 144) * h.bitrate / h.sampleRate + h.padding;
    int samples = h.layer == 1 ? 384 : (h.extension ? 576 : 1152);
    h.frameDuration = int64_t{10000000} * samples / h.sampleRate;
    h.bytesPerSecond = h.bitrate / 8;
    return true;
}
