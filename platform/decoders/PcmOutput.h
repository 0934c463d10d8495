// The sound the audio decoder gives out: 16-bit PCM of at most two channels.
#pragma once

extern "C" {
#include <libavutil/frame.h>
}

#include "strmbase.h"

#include <cstdint>

int PcmChannels(int inputChannels);
bool MakePcmOutputType(int channels, int sampleRate, CMediaType& type);
// True when the type is exactly that PCM format.
bool IsPcmOutputType(const CMediaType& type, int channels, int sampleRate);

// Writes samples [first, first + count) of a decoded frame as interleaved 16-bit
// samples of its first `channels` channels; false for a sample format it cannot read.
bool ConvertToPcm16(const AVFrame& frame, int first, int count, int channels, int16_t* out);
