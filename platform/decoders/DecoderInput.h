// What a decoder needs from the media type the splitter offers: the codec, the sizes
// and the codec's configuration bytes. Every length in the format block is checked.
#pragma once

extern "C" {
#include <libavcodec/codec_id.h>
}

#include "strmbase.h"

#include <cstdint>
#include <vector>

struct VideoInput {
    AVCodecID codec = AV_CODEC_ID_NONE;
    int width = 0, height = 0;  // coded size
    int visibleWidth = 0, visibleHeight = 0;
    std::vector<uint8_t> extradata;
};

struct AudioInput {
    AVCodecID codec = AV_CODEC_ID_NONE;
    int channels = 0;
    int sampleRate = 0;
    int blockAlign = 0;
    std::vector<uint8_t> extradata;
};

// Pictures above this size are refused (their buffers alone would exhaust the process).
constexpr int MAX_PICTURE_SIDE = 4096;

bool ReadVideoInput(const CMediaType& type, VideoInput& input);
bool ReadAudioInput(const CMediaType& type, AudioInput& input);
