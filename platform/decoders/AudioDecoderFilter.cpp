#include "AudioDecoderFilter.h"

#include <algorithm>

// {6F0F5C52-6C1B-4C7E-9A33-1C2F7B8E4D02}
const CLSID CLSID_ZemoAudioDecoder = {0x6f0f5c52, 0x6c1b, 0x4c7e, {0x9a, 0x33, 0x1c, 0x2f, 0x7b, 0x8e, 0x4d, 0x02}};

namespace {
constexpr REFERENCE_TIME kUnitsPerSecond = 10000000;
}

CAudioDecoderFilter::CAudioDecoderFilter(LPUNKNOWN owner, HRESULT*)
    : CCodecFilter(L"Audio decoder", owner, CLSID_ZemoAudioDecoder) {}

HRESULT CAudioDecoderFilter::CheckInputType(const CMediaType* input) {
    AudioInput read;
    return ReadAudioInput(*input, read) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAudioDecoderFilter::SetInputType(const CMediaType* input) {
    return ReadAudioInput(*input, m_input) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAudioDecoderFilter::GetOutputType(int index, CMediaType* output) {
    if (index < 0) return E_INVALIDARG;
    if (index > 0) return VFW_S_NO_MORE_ITEMS;
    return MakePcmOutputType(OutputChannels(), m_input.sampleRate, *output) ? S_OK : E_OUTOFMEMORY;
}

HRESULT CAudioDecoderFilter::CheckTransform(const CMediaType* input, const CMediaType* output) {
    AudioInput in;
    if (!ReadAudioInput(*input, in)) return VFW_E_TYPE_NOT_ACCEPTED;
    return IsPcmOutputType(*output, PcmChannels(in.channels), in.sampleRate) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CAudioDecoderFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) {
    // A tenth of a second per buffer; a longer frame is split.
    properties->cBuffers = std::max<long>(properties->cBuffers, 8);
    properties->cbBuffer = std::max<long>(m_input.sampleRate / 10 * OutputChannels() * 2, 4096);
    if (properties->cbAlign <= 0) properties->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual = {};
    HRESULT hr = allocator->SetProperties(properties, &actual);
    if (FAILED(hr)) return hr;
    return actual.cbBuffer >= OutputChannels() * 2 ? S_OK : E_FAIL;
}

CodecPtr CAudioDecoderFilter::OpenCodec() {
    return OpenDecoder(m_input.codec, m_input.extradata, [this](AVCodecContext* codec) {
        codec->sample_rate = m_input.sampleRate;
        av_channel_layout_default(&codec->ch_layout, m_input.channels);
        codec->block_align = m_input.blockAlign;
    });
}

HRESULT CAudioDecoderFilter::DeliverFrame(const AVFrame* frame) {
    const int channels = OutputChannels();
    const int rate = m_input.sampleRate;
    // The decoder's time after a seek, then the samples given out since (counted, so
    // that rounding does not add up).
    if (frame->best_effort_timestamp != AV_NOPTS_VALUE && (m_discontinuity || !m_hasOrigin)) {
        m_origin = frame->best_effort_timestamp;
        m_samplesSinceOrigin = 0;
        m_hasOrigin = true;
    }
    for (int done = 0; done < frame->nb_samples;) {
        CComRef<IMediaSample> sample;
        HRESULT hr = GetDeliveryBuffer(sample);
        if (FAILED(hr)) return hr;
        BYTE* out = nullptr;
        if (FAILED(sample->GetPointer(&out))) return E_FAIL;
        const int count = std::min(frame->nb_samples - done, static_cast<int>(sample->GetSize() / (channels * 2)));
        if (count <= 0 || !ConvertToPcm16(*frame, done, count, channels, reinterpret_cast<int16_t*>(out))) return S_OK;
        sample->SetActualDataLength(count * channels * 2);
        REFERENCE_TIME start = m_origin + m_samplesSinceOrigin * kUnitsPerSecond / rate;
        m_samplesSinceOrigin += count;
        REFERENCE_TIME stop = m_origin + m_samplesSinceOrigin * kUnitsPerSecond / rate;
        sample->SetTime(&start, &stop);
        sample->SetSyncPoint(TRUE);
        sample->SetDiscontinuity(m_discontinuity ? TRUE : FALSE);
        m_discontinuity = false;
        hr = Deliver(sample.Get());
        if (hr != S_OK) return hr;
        done += count;
    }
    return S_OK;
}
