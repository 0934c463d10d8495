#include "VideoDecoderFilter.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include <new>

// {6F0F5C52-6C1B-4C7E-9A33-1C2F7B8E4D01}
const CLSID CLSID_ZemoVideoDecoder = {0x6f0f5c52, 0x6c1b, 0x4c7e, {0x9a, 0x33, 0x1c, 0x2f, 0x7b, 0x8e, 0x4d, 0x01}};

CVideoDecoderFilter::CVideoDecoderFilter(LPUNKNOWN owner, HRESULT*)
    : CCodecFilter(L"Video decoder", owner, CLSID_ZemoVideoDecoder) {}

CVideoDecoderFilter::~CVideoDecoderFilter() { CloseCodec(); }

HRESULT CVideoDecoderFilter::CheckInputType(const CMediaType* input) {
    VideoInput read;
    return ReadVideoInput(*input, read) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CVideoDecoderFilter::SetInputType(const CMediaType* input) {
    return ReadVideoInput(*input, m_input) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CVideoDecoderFilter::GetOutputType(int index, CMediaType* output) {
    if (index < 0) return E_INVALIDARG;
    if (index >= RGB_OUTPUT_COUNT) return VFW_S_NO_MORE_ITEMS;
    return MakeRgbOutputType(index, m_input.visibleWidth, m_input.visibleHeight, *output) ? S_OK : E_OUTOFMEMORY;
}

HRESULT CVideoDecoderFilter::CheckTransform(const CMediaType* input, const CMediaType* output) {
    VideoInput in;
    RgbLayout layout;
    if (!ReadVideoInput(*input, in) || !ReadRgbLayout(*output, layout)) return VFW_E_TYPE_NOT_ACCEPTED;
    // Rows may be wider than the picture, never narrower; the height is the picture's.
    return layout.width >= in.visibleWidth && layout.height == in.visibleHeight ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CVideoDecoderFilter::SetOutputType(const CMediaType* output) {
    return ReadRgbLayout(*output, m_layout) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CVideoDecoderFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) {
    properties->cBuffers = properties->cBuffers > 2 ? properties->cBuffers : 2;
    properties->cbBuffer = m_layout.imageBytes();
    if (properties->cbAlign <= 0) properties->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual = {};
    HRESULT hr = allocator->SetProperties(properties, &actual);
    if (FAILED(hr)) return hr;
    return actual.cbBuffer >= properties->cbBuffer ? S_OK : E_FAIL;
}

CodecPtr CVideoDecoderFilter::OpenCodec() {
    return OpenDecoder(m_input.codec, m_input.extradata, [this](AVCodecContext* codec) {
        codec->coded_width = m_input.width;
        codec->coded_height = m_input.height;
    });
}

void CVideoDecoderFilter::CloseCodec() {
    CCodecFilter::CloseCodec();
    sws_freeContext(m_scaler);
    m_scaler = nullptr;
}

HRESULT CVideoDecoderFilter::DeliverFrame(const AVFrame* frame) {
    REFERENCE_TIME start = frame->best_effort_timestamp, stop = 0;
    const bool timed = start != AV_NOPTS_VALUE;
    if (timed) {
        if (m_hasLastStart && start > m_lastStart) m_frameTime = start - m_lastStart;
        m_lastStart = start;
        m_hasLastStart = true;
        stop = start + m_frameTime;
        // After a seek the decoding starts at the key frame before the target: the
        // pictures over before the segment starts are not given out (the renderer would
        // show them as the paused picture), nor converted.
        if (stop <= 0) return S_OK;
    }
    const int width = m_layout.width < m_input.visibleWidth ? m_layout.width : m_input.visibleWidth;
    const int height = m_layout.height;
    m_scaler = sws_getCachedContext(m_scaler, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                                    width, height, m_layout.format, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!m_scaler) return S_OK;
    CComRef<IMediaSample> sample;
    HRESULT hr = GetDeliveryBuffer(sample);
    if (FAILED(hr)) return hr;
    BYTE* out = nullptr;
    if (FAILED(sample->GetPointer(&out)) || sample->GetSize() < m_layout.imageBytes()) return E_FAIL;
    // Bottom-up: the first picture row is the buffer's last.
    uint8_t* rows[4] = {m_layout.bottomUp ? out + static_cast<ptrdiff_t>(m_layout.stride) * (height - 1) : out};
    int strides[4] = {m_layout.bottomUp ? -m_layout.stride : m_layout.stride};
    sws_scale(m_scaler, frame->data, frame->linesize, 0, frame->height, rows, strides);
    sample->SetActualDataLength(m_layout.imageBytes());
    if (timed) sample->SetTime(&start, &stop);
    sample->SetSyncPoint(TRUE);
    sample->SetDiscontinuity(m_discontinuity ? TRUE : FALSE);
    m_discontinuity = false;
    return Deliver(sample.Get());
}
