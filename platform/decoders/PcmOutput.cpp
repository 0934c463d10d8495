#include "PcmOutput.h"

extern "C" {
#include <libavutil/samplefmt.h>
}

#include <mmreg.h>
#include <uuids.h>

#include <cmath>

namespace {

int16_t FromFloat(double v) {
    double scaled = std::lround(v * 32768.0);
    return static_cast<int16_t>(scaled > 32767 ? 32767 : scaled < -32768 ? -32768 : scaled);
}

// Sample i of channel c, whatever the layout of the frame.
int16_t SampleAt(const AVFrame& frame, AVSampleFormat format, int c, int i) {
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    const int channels = frame.ch_layout.nb_channels;
    const uint8_t* base = planar ? frame.extended_data[c] : frame.extended_data[0];
    const int at = planar ? i : i * channels + c;
    switch (av_get_packed_sample_fmt(format)) {
        case AV_SAMPLE_FMT_U8:
            return static_cast<int16_t>((base[at] - 128) << 8);
        case AV_SAMPLE_FMT_S16:
            return reinterpret_cast<const int16_t*>(base)[at];
        case AV_SAMPLE_FMT_S32:
            return static_cast<int16_t>(reinterpret_cast<const int32_t*>(base)[at] >> 16);
        case AV_SAMPLE_FMT_FLT:
            return FromFloat(reinterpret_cast<const float*>(base)[at]);
        case AV_SAMPLE_FMT_DBL:
            return FromFloat(reinterpret_cast<const double*>(base)[at]);
        default:
            return 0;
    }
}

}  // namespace

int PcmChannels(int inputChannels) { return inputChannels >= 2 ? 2 : 1; }

bool MakePcmOutputType(int channels, int sampleRate, CMediaType& type) {
    type = CMediaType();
    type.SetType(&MEDIATYPE_Audio);
    type.SetSubtype(&MEDIASUBTYPE_PCM);
    type.SetFormatType(&FORMAT_WaveFormatEx);
    auto* wfe = reinterpret_cast<WAVEFORMATEX*>(type.AllocFormatBuffer(sizeof(WAVEFORMATEX)));
    if (!wfe) return false;
    wfe->wFormatTag = WAVE_FORMAT_PCM;
    wfe->nChannels = static_cast<WORD>(channels);
    wfe->nSamplesPerSec = static_cast<DWORD>(sampleRate);
    wfe->wBitsPerSample = 16;
    wfe->nBlockAlign = static_cast<WORD>(channels * 2);
    wfe->nAvgBytesPerSec = wfe->nSamplesPerSec * wfe->nBlockAlign;
    type.bFixedSizeSamples = TRUE;
    type.SetSampleSize(wfe->nBlockAlign);
    return true;
}

bool IsPcmOutputType(const CMediaType& type, int channels, int sampleRate) {
    if (type.majortype != MEDIATYPE_Audio || type.subtype != MEDIASUBTYPE_PCM ||
        type.formattype != FORMAT_WaveFormatEx || !type.pbFormat || type.cbFormat < sizeof(WAVEFORMATEX) - 2)
        return false;
    auto* wfe = reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
    return wfe->wFormatTag == WAVE_FORMAT_PCM && wfe->nChannels == channels &&
           wfe->nSamplesPerSec == static_cast<DWORD>(sampleRate) && wfe->wBitsPerSample == 16;
}

bool ConvertToPcm16(const AVFrame& frame, int first, int count, int channels, int16_t* out) {
    const auto format = static_cast<AVSampleFormat>(frame.format);
    switch (av_get_packed_sample_fmt(format)) {
        case AV_SAMPLE_FMT_U8:
        case AV_SAMPLE_FMT_S16:
        case AV_SAMPLE_FMT_S32:
        case AV_SAMPLE_FMT_FLT:
        case AV_SAMPLE_FMT_DBL:
            break;
        default:
            return false;
    }
    const int available = frame.ch_layout.nb_channels;
    if (available <= 0) return false;
    for (int i = first; i < first + count; ++i)
        for (int c = 0; c < channels; ++c) *out++ = SampleAt(frame, format, c < available ? c : available - 1, i);
    return true;
}
