// What both decoders share: a libavcodec decoder opened for each run, fed one packet
// per input sample, emptied of its frames after each, flushed on a flush, drained at
// the end of the stream. The derived filter opens the codec and delivers the frames.
#pragma once

#include "CodecHandles.h"

#include "strmbase.h"

class CCodecFilter : public CTransformFilter {
public:
    CCodecFilter(LPCWSTR name, LPUNKNOWN owner, REFCLSID clsid);

    HRESULT StartStreaming() override;
    void StopStreaming() override;
    HRESULT Transform(IMediaSample* input) override;
    void Flush() override;
    void Drain() override;

protected:
    // The decoder for the connected input, or null when it cannot be opened.
    virtual CodecPtr OpenCodec() = 0;
    virtual HRESULT DeliverFrame(const AVFrame* frame) = 0;
    // Called when the times start again (a new run or a flush) and when the codec closes.
    virtual void ResetTimes() {}
    virtual void CloseCodec();

    bool m_discontinuity = true;  // the next output sample follows a seek or a gap

private:
    HRESULT DeliverFrames();

    CodecPtr m_codec;
    FramePtr m_frame;
    PacketPtr m_packet;
};
