// The video decoder: 'FLV1' (H.263), 'FLV4' (VP6) and 'AVC1' (H.264) samples in,
// RGB pictures of the visible size out, at the times the decoder gives them.
#pragma once

#include "CodecHandles.h"
#include "DecoderInput.h"
#include "RgbOutput.h"

#include "strmbase.h"

struct SwsContext;

extern const CLSID CLSID_ZemoVideoDecoder;

class CVideoDecoderFilter : public CTransformFilter {
public:
    CVideoDecoderFilter(LPUNKNOWN owner, HRESULT* result);
    ~CVideoDecoderFilter() override;

    HRESULT CheckInputType(const CMediaType* input) override;
    HRESULT GetOutputType(int index, CMediaType* output) override;
    HRESULT CheckTransform(const CMediaType* input, const CMediaType* output) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) override;
    HRESULT SetInputType(const CMediaType* input) override;
    HRESULT SetOutputType(const CMediaType* output) override;

    HRESULT StartStreaming() override;
    void StopStreaming() override;
    HRESULT Transform(IMediaSample* input) override;
    void Flush() override;
    void Drain() override;

private:
    // Converts and delivers the pictures the decoder has ready.
    HRESULT DeliverFrames();
    HRESULT DeliverFrame(const AVFrame* frame);
    void CloseCodec();

    VideoInput m_input;
    RgbLayout m_layout;
    CodecPtr m_codec;
    FramePtr m_frame;
    PacketPtr m_packet;
    SwsContext* m_scaler = nullptr;
    REFERENCE_TIME m_lastStart = 0;
    bool m_hasLastStart = false;  // times after a seek may be negative (before the seek point)
    REFERENCE_TIME m_frameTime = 400000;  // until two pictures tell it
    bool m_discontinuity = true;
};
