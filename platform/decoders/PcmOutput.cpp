#include "PcmOutput.h"

extern "C" {
#include <libavutil/samplefmt.h>
}

#include <mmreg.h>
#include <uuids.h>

namespace {

// Rounded half away from zero and clipped; the rounding is done here, as the library's
// lround costs a call per sample.
int16_t FromFloat(double v) {
    const double scaled = v * 32768.0;
    if (!(scaled > -32768.0)) return -32768;  // NaN too
    if (scaled >= 32767.0) return 32767;
    return static_cast<int16_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
}

// Sample i of channel c of a frame whose packed format and layout are given.
int16_t SampleAt(const AVFrame& frame, AVSampleFormat packed, bool planar, int c, int i) {
    const uint8_t* base = planar ? frame.extended_data[c] : frame.extended_data[0];
    const int at = planar ? i : i * frame.ch_layout.nb_channels + c;
    switch (packed) {
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
    const AVSampleFormat packed = av_get_packed_sample_fmt(format);
    switch (packed) {
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
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    for (int i = first; i < first + count; ++i)
        for (int c = 0; c < channels; ++c)
            *out++ = SampleAt(frame, packed, planar, c < available ? c : available - 1, i);
    return true;
}
