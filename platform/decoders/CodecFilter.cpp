#include "CodecFilter.h"

CCodecFilter::CCodecFilter(LPCWSTR name, LPUNKNOWN owner, REFCLSID clsid) : CTransformFilter(name, owner, clsid) {}

HRESULT CCodecFilter::StartStreaming() {
    m_codec = OpenCodec();
    m_frame.reset(av_frame_alloc());
    m_packet.reset(av_packet_alloc());
    if (!m_codec || !m_frame || !m_packet) {
        CloseCodec();
        return E_FAIL;
    }
    m_discontinuity = true;
    ResetTimes();
    return S_OK;
}

void CCodecFilter::StopStreaming() { CloseCodec(); }

void CCodecFilter::CloseCodec() {
    m_codec.reset();
    m_frame.reset();
    m_packet.reset();
}

HRESULT CCodecFilter::Transform(IMediaSample* input) {
    if (!m_codec) return VFW_E_WRONG_STATE;
    BYTE* data = nullptr;
    if (FAILED(input->GetPointer(&data))) return S_OK;
    REFERENCE_TIME start = 0, stop = 0;
    bool hasTime = SUCCEEDED(input->GetTime(&start, &stop));
    if (input->IsDiscontinuity() == S_OK) m_discontinuity = true;
    if (!FillPacket(m_packet.get(), data, input->GetActualDataLength(), hasTime, start, input->IsSyncPoint() == S_OK))
        return S_OK;
    // Broken data costs its frames, not the stream.
    if (avcodec_send_packet(m_codec.get(), m_packet.get()) < 0) return S_OK;
    return DeliverFrames();
}

HRESULT CCodecFilter::DeliverFrames() {
    for (;;) {
        if (avcodec_receive_frame(m_codec.get(), m_frame.get()) < 0) return S_OK;
        HRESULT hr = DeliverFrame(m_frame.get());
        av_frame_unref(m_frame.get());
        if (hr != S_OK) return hr;
    }
}

void CCodecFilter::Flush() {
    if (m_codec) avcodec_flush_buffers(m_codec.get());
    m_discontinuity = true;
    ResetTimes();
}

void CCodecFilter::Drain() {
    if (!m_codec) return;
    // The frames the decoder still holds, then a decoder ready for the next run.
    if (avcodec_send_packet(m_codec.get(), nullptr) >= 0) DeliverFrames();
    avcodec_flush_buffers(m_codec.get());
}
