#include "XofMediaType.h"

#include "BaseSplitterFile.h"

#include <amvideo.h>
#include <dvdmedia.h>
#include <mmreg.h>
#include <uuids.h>

#include <cstddef>
#include <cstring>

namespace {

const GUID kFormatMpeg2Video = {0xE06D80E3, 0xDB46, 0x11CF, {0xB4, 0xD1, 0x00, 0x80, 0x5F, 0x6C, 0xBB, 0xEA}};

CMediaType WaveFormatType(const XofStreamFormat& f) {
    CMediaType type;
    type.SetType(&MEDIATYPE_Audio);
    type.SetFormatType(&FORMAT_WaveFormatEx);
    auto* wfe = reinterpret_cast<WAVEFORMATEX*>(type.AllocFormatBuffer(sizeof(WAVEFORMATEX) + f.extra.size()));
    if (!wfe) return CMediaType();
    wfe->wFormatTag = f.formatTag;
    wfe->nChannels = f.channels;
    wfe->nSamplesPerSec = f.samplesPerSec;
    wfe->nAvgBytesPerSec = f.avgBytesPerSec;
    wfe->nBlockAlign = f.blockAlign;
    wfe->wBitsPerSample = f.bitsPerSample;
    wfe->cbSize = static_cast<WORD>(f.extra.size());
    if (!f.extra.empty()) std::memcpy(wfe + 1, f.extra.data(), f.extra.size());
    FOURCCMap subtype(f.subtype);
    type.SetSubtype(&subtype);
    return type;
}

void FillBitmap(BITMAPINFOHEADER& bmi, const XofStreamFormat& f) {
    bmi.biSize = sizeof(BITMAPINFOHEADER);
    bmi.biWidth = f.width;
    bmi.biHeight = f.height;
    bmi.biPlanes = 1;
    bmi.biBitCount = f.bitCount;
    bmi.biCompression = f.subtype;
}

void FillRectangles(RECT& source, RECT& target, const XofStreamFormat& f) {
    SetRect(&source, 0, 0, f.sourceRight, f.sourceBottom);
    target = source;
}

CMediaType VideoType(const XofStreamFormat& f) {
    CMediaType type;
    type.SetType(&MEDIATYPE_Video);
    FOURCCMap subtype(f.subtype);
    type.SetSubtype(&subtype);
    switch (f.kind) {
        case XofFormatKind::VideoInfo: {
            type.SetFormatType(&FORMAT_VideoInfo);
            auto* vih = reinterpret_cast<VIDEOINFOHEADER*>(type.AllocFormatBuffer(sizeof(VIDEOINFOHEADER)));
            if (!vih) return CMediaType();
            FillRectangles(vih->rcSource, vih->rcTarget, f);
            FillBitmap(vih->bmiHeader, f);
            break;
        }
        case XofFormatKind::VideoInfo2: {
            type.SetFormatType(&FORMAT_VideoInfo2);
            auto* vih = reinterpret_cast<VIDEOINFOHEADER2*>(type.AllocFormatBuffer(sizeof(VIDEOINFOHEADER2)));
            if (!vih) return CMediaType();
            FillRectangles(vih->rcSource, vih->rcTarget, f);
            vih->dwPictAspectRatioX = f.aspectX;
            vih->dwPictAspectRatioY = f.aspectY;
            FillBitmap(vih->bmiHeader, f);
            break;
        }
        default: {
            type.SetFormatType(&kFormatMpeg2Video);
            const size_t size = offsetof(MPEG2VIDEOINFO, dwSequenceHeader) + f.extra.size();
            auto* mvi = reinterpret_cast<MPEG2VIDEOINFO*>(type.AllocFormatBuffer(static_cast<ULONG>(size)));
            if (!mvi) return CMediaType();
            FillRectangles(mvi->hdr.rcSource, mvi->hdr.rcTarget, f);
            mvi->hdr.dwPictAspectRatioX = f.aspectX;
            mvi->hdr.dwPictAspectRatioY = f.aspectY;
            FillBitmap(mvi->hdr.bmiHeader, f);
            mvi->dwProfile = f.profile;
            mvi->dwLevel = f.level;
            mvi->dwFlags = f.flags;
            mvi->cbSequenceHeader = static_cast<DWORD>(f.extra.size());
            if (!f.extra.empty()) std::memcpy(mvi->dwSequenceHeader, f.extra.data(), f.extra.size());
            break;
        }
    }
    return type;
}

}  // namespace

CMediaType MakeXofMediaType(const XofStreamFormat& f) {
    switch (f.kind) {
        case XofFormatKind::WaveFormatEx:
            return WaveFormatType(f);
        case XofFormatKind::MpegAudio:
            return MakeMpegAudioMediaType(f.mpeg);
        default:
            return VideoType(f);
    }
}
