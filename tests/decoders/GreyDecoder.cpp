#include "GreyDecoder.h"

#include <amvideo.h>
#include <uuids.h>

#include <cstring>

// {0B7D3E61-2A9C-4F55-8E0D-5C4B3A291F10}
const CLSID CLSID_GreyDecoder = {0x0b7d3e61, 0x2a9c, 0x4f55, {0x8e, 0x0d, 0x5c, 0x4b, 0x3a, 0x29, 0x1f, 0x10}};

CGreyDecoder::CGreyDecoder() : CTransformFilter(L"Grey decoder", nullptr, CLSID_GreyDecoder) {}

HRESULT CGreyDecoder::CheckInputType(const CMediaType* input) {
    return input->majortype == MEDIATYPE_Video && input->subtype == FOURCCMap(MakeFourCC('F', 'L', 'V', '1')) &&
                   input->formattype == FORMAT_VideoInfo && input->cbFormat >= sizeof(VIDEOINFOHEADER)
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

const BITMAPINFOHEADER* CGreyDecoder::InputBitmap() const {
    return &reinterpret_cast<const VIDEOINFOHEADER*>(m_pInput->CurrentMediaType().pbFormat)->bmiHeader;
}

HRESULT CGreyDecoder::GetOutputType(int index, CMediaType* output) {
    if (index != 0) return index < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS;
    const BITMAPINFOHEADER* in = InputBitmap();
    *output = CMediaType();
    output->SetType(&MEDIATYPE_Video);
    output->SetSubtype(&MEDIASUBTYPE_RGB32);
    output->SetFormatType(&FORMAT_VideoInfo);
    auto* vih = reinterpret_cast<VIDEOINFOHEADER*>(output->AllocFormatBuffer(sizeof(VIDEOINFOHEADER)));
    if (!vih) return E_OUTOFMEMORY;
    vih->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih->bmiHeader.biWidth = in->biWidth;
    vih->bmiHeader.biHeight = in->biHeight;
    vih->bmiHeader.biPlanes = 1;
    vih->bmiHeader.biBitCount = 32;
    vih->bmiHeader.biSizeImage = in->biWidth * in->biHeight * 4;
    output->SetSampleSize(vih->bmiHeader.biSizeImage);
    return S_OK;
}

HRESULT CGreyDecoder::CheckTransform(const CMediaType*, const CMediaType* output) {
    return output->subtype == MEDIASUBTYPE_RGB32 && output->formattype == FORMAT_VideoInfo &&
                   output->cbFormat >= sizeof(VIDEOINFOHEADER)
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CGreyDecoder::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) {
    properties->cBuffers = 2;
    properties->cbBuffer = InputBitmap()->biWidth * InputBitmap()->biHeight * 4;
    properties->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual = {};
    return allocator->SetProperties(properties, &actual);
}

HRESULT CGreyDecoder::Transform(IMediaSample* input) {
    CComRef<IMediaSample> output;
    HRESULT hr = GetDeliveryBuffer(output);
    if (FAILED(hr)) return hr;
    BYTE* data = nullptr;
    output->GetPointer(&data);
    long bytes = InputBitmap()->biWidth * InputBitmap()->biHeight * 4;
    std::memset(data, GREY_LEVEL, static_cast<size_t>(bytes));
    output->SetActualDataLength(bytes);
    REFERENCE_TIME start = 0, stop = 0;
    if (SUCCEEDED(input->GetTime(&start, &stop))) output->SetTime(&start, &stop);
    output->SetSyncPoint(TRUE);
    output->SetDiscontinuity(input->IsDiscontinuity() == S_OK ? TRUE : FALSE);
    return Deliver(output.Get());
}
