#include "RgbOutput.h"

#include "DecoderInput.h"

#include <amvideo.h>
#include <uuids.h>

namespace {

struct RgbKind {
    const GUID* subtype;
    WORD bits;
    AVPixelFormat format;
};

// In memory order: B, G, R (and an unused byte); RGB565 as little-endian words.
const RgbKind kKinds[RGB_OUTPUT_COUNT] = {
    {&MEDIASUBTYPE_RGB32, 32, AV_PIX_FMT_BGRA},
    {&MEDIASUBTYPE_RGB24, 24, AV_PIX_FMT_BGR24},
    {&MEDIASUBTYPE_RGB565, 16, AV_PIX_FMT_RGB565LE},
};
const DWORD kRgb565Masks[3] = {0xF800, 0x07E0, 0x001F};

int RowBytes(int width, int bits) { return ((width * bits / 8) + 3) & ~3; }

}  // namespace

bool MakeRgbOutputType(int index, int width, int height, CMediaType& type) {
    if (index < 0 || index >= RGB_OUTPUT_COUNT) return false;
    const RgbKind& kind = kKinds[index];
    const bool bitfields = kind.bits == 16;
    type = CMediaType();
    type.SetType(&MEDIATYPE_Video);
    type.SetSubtype(kind.subtype);
    type.SetFormatType(&FORMAT_VideoInfo);
    auto* vih = reinterpret_cast<VIDEOINFOHEADER*>(
        type.AllocFormatBuffer(sizeof(VIDEOINFOHEADER) + (bitfields ? sizeof(kRgb565Masks) : 0)));
    if (!vih) return false;
    SetRect(&vih->rcSource, 0, 0, width, height);
    vih->rcTarget = vih->rcSource;
    BITMAPINFOHEADER& bmi = vih->bmiHeader;
    bmi.biSize = sizeof(BITMAPINFOHEADER);
    bmi.biWidth = width;
    bmi.biHeight = height;  // bottom-up
    bmi.biPlanes = 1;
    bmi.biBitCount = kind.bits;
    bmi.biCompression = bitfields ? BI_BITFIELDS : BI_RGB;
    bmi.biSizeImage = static_cast<DWORD>(RowBytes(width, kind.bits) * height);
    if (bitfields) CopyMemory(vih + 1, kRgb565Masks, sizeof(kRgb565Masks));
    type.bFixedSizeSamples = TRUE;
    type.SetSampleSize(bmi.biSizeImage);
    return true;
}

bool ReadRgbLayout(const CMediaType& type, RgbLayout& layout) {
    if (type.majortype != MEDIATYPE_Video || type.formattype != FORMAT_VideoInfo || !type.pbFormat ||
        type.cbFormat < sizeof(VIDEOINFOHEADER))
        return false;
    const BITMAPINFOHEADER& bmi = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader;
    for (const RgbKind& kind : kKinds) {
        if (type.subtype != *kind.subtype || bmi.biBitCount != kind.bits) continue;
        if (bmi.biWidth <= 0 || bmi.biHeight == 0 || bmi.biWidth > MAX_PICTURE_SIDE ||
            bmi.biHeight > MAX_PICTURE_SIDE || bmi.biHeight < -MAX_PICTURE_SIDE)
            return false;
        layout.format = kind.format;
        layout.width = bmi.biWidth;
        layout.height = bmi.biHeight < 0 ? -bmi.biHeight : bmi.biHeight;
        layout.stride = RowBytes(bmi.biWidth, kind.bits);
        layout.bottomUp = bmi.biHeight > 0;
        return true;
    }
    return false;
}
