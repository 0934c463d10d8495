// A stand-in decoder on the transform base: 'FLV1' in, grey RGB32 pictures out at
// the input's times. It proves the graph around a decoder without any codec.
#pragma once

#include "strmbase.h"

extern const CLSID CLSID_GreyDecoder;
constexpr BYTE GREY_LEVEL = 0x80;

class CGreyDecoder : public CTransformFilter {
public:
    CGreyDecoder();

    HRESULT CheckInputType(const CMediaType* input) override;
    HRESULT GetOutputType(int index, CMediaType* output) override;
    HRESULT CheckTransform(const CMediaType* input, const CMediaType* output) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) override;
    HRESULT Transform(IMediaSample* input) override;
    void Flush() override { InterlockedIncrement(&m_flushes); }

    int Flushes() const { return m_flushes; }

private:
    const BITMAPINFOHEADER* InputBitmap() const;
    volatile LONG m_flushes = 0;
};
