// The audio decoder: AAC, MP3, the container's ADPCM and Nellymoser in, 16-bit PCM
// of at most two channels out, timed by the samples it gives.
#pragma once

#include "CodecFilter.h"
#include "DecoderInput.h"
#include "PcmOutput.h"

#include "strmbase.h"

extern const CLSID CLSID_ZemoAudioDecoder;

class CAudioDecoderFilter : public CCodecFilter {
public:
    CAudioDecoderFilter(LPUNKNOWN owner, HRESULT* result);

    HRESULT CheckInputType(const CMediaType* input) override;
    HRESULT GetOutputType(int index, CMediaType* output) override;
    HRESULT CheckTransform(const CMediaType* input, const CMediaType* output) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) override;
    HRESULT SetInputType(const CMediaType* input) override;

private:
    CodecPtr OpenCodec() override;
    // The frame's samples in as many output buffers as they need.
    HRESULT DeliverFrame(const AVFrame* frame) override;
    void ResetTimes() override { m_hasOrigin = false; }
    int OutputChannels() const { return PcmChannels(m_input.channels); }

    AudioInput m_input;
    REFERENCE_TIME m_origin = 0;  // the time of the first sample after a seek
    int64_t m_samplesSinceOrigin = 0;
    bool m_hasOrigin = false;
};
