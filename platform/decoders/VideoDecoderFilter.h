// The video decoder: 'FLV1' (H.263), 'FLV4' (VP6) and 'AVC1' (H.264) samples in,
// RGB pictures of the visible size out, at the times the decoder gives them, from the
// picture on screen at the segment's start on.
#pragma once

#include "CodecFilter.h"
#include "DecoderInput.h"
#include "RgbOutput.h"

#include "strmbase.h"

struct SwsContext;

extern const CLSID CLSID_ZemoVideoDecoder;

class CVideoDecoderFilter : public CCodecFilter {
public:
    CVideoDecoderFilter(LPUNKNOWN owner, HRESULT* result);
    ~CVideoDecoderFilter() override;

    HRESULT CheckInputType(const CMediaType* input) override;
    HRESULT GetOutputType(int index, CMediaType* output) override;
    HRESULT CheckTransform(const CMediaType* input, const CMediaType* output) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) override;
    HRESULT SetInputType(const CMediaType* input) override;
    HRESULT SetOutputType(const CMediaType* output) override;

private:
    CodecPtr OpenCodec() override;
    // Converts a picture to the output type and delivers it.
    HRESULT DeliverFrame(const AVFrame* frame) override;
    void ResetTimes() override { m_hasLastStart = false; }
    void CloseCodec() override;

    VideoInput m_input;
    RgbLayout m_layout;
    SwsContext* m_scaler = nullptr;
    REFERENCE_TIME m_lastStart = 0;
    bool m_hasLastStart = false;          // times after a seek may be negative (before the seek point)
    REFERENCE_TIME m_frameTime = 400000;  // until two pictures tell it
};
