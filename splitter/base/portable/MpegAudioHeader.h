// MPEG audio frame headers (layers I to III, MPEG-1, MPEG-2 and MPEG 2.5).
#pragma once

#include "CachedBitReader.h"

struct MpegAudioHeader {
    int version = 0;     // 3 MPEG-1, 2 MPEG-2, 0 MPEG 2.5
    int layer = 0;       // 1, 2 or 3
    int protection = 0;  // 0: a CRC follows the header
    int bitrateIndex = 0;
    int samplingIndex = 0;
    int padding = 0;
    int privateBit = 0;
    int channelMode = 0;  // 3 mono
    int modeExtension = 0;
    int copyright = 0;
    int original = 0;
    int emphasis = 0;
    int bitrate = 0;  // bits per second
    int sampleRate = 0;
    bool extension = false;     // layer III of MPEG-2 or 2.5
    int frameSize = 0;          // bytes
    int64_t frameDuration = 0;  // 100 ns units
    int bytesPerSecond = 0;
};

// Looks for a frame header in the next bytesToSearch bytes and reads it; false when
// none is found there or the header is not valid.
bool ReadMpegAudioHeader(CCachedBitReader& file, int bytesToSearch, bool allowMpeg25, MpegAudioHeader& header);
