#include "BaseSplitterFile.h"

#include <mmreg.h>
#include <uuids.h>

int32_t CAsyncReaderByteSource::SyncRead(int64_t position, int32_t length, uint8_t* buffer) {
    if (!m_reader) return RESULT_NOINTERFACE;
    HRESULT hr = m_reader->SyncRead(position, length, buffer);
    // A short read is not a success.
    return hr == S_FALSE ? RESULT_FAIL : static_cast<int32_t>(hr);
}

int32_t CAsyncReaderByteSource::Length(int64_t* total, int64_t* available) {
    if (!m_reader) return RESULT_NOINTERFACE;
    LONGLONG t = 0, a = 0;
    HRESULT hr = m_reader->Length(&t, &a);
    *total = t;
    *available = a;
    return static_cast<int32_t>(hr);
}

CBaseSplitterFile::CBaseSplitterFile(IAsyncReader* reader, HRESULT* result, int cacheLength, bool requireRandomAccess,
                                     bool allowStreaming)
    : CAsyncReaderByteSource(reader),
      CCachedBitReader(reader ? static_cast<IByteSource*>(this) : nullptr, &m_createResult, cacheLength,
                       requireRandomAccess, allowStreaming) {
    *result = m_createResult;
}

bool CBaseSplitterFileEx::ReadMpegAudioHeader(MpegAudioHeader& header, int bytesToSearch, bool allowMpeg25,
                                              CMediaType* type) {
    if (!::ReadMpegAudioHeader(*this, bytesToSearch, allowMpeg25, header)) return false;
    if (type) *type = MakeMpegAudioMediaType(header);
    return true;
}

CMediaType MakeMpegAudioMediaType(const MpegAudioHeader& h) {
    CMediaType type;
    type.SetType(&MEDIATYPE_Audio);
    type.SetFormatType(&FORMAT_WaveFormatEx);
    WAVEFORMATEX* wfe = nullptr;
    if (h.layer == 3) {
        wfe = reinterpret_cast<WAVEFORMATEX*>(type.AllocFormatBuffer(sizeof(WAVEFORMATEX)));
        if (!wfe) return CMediaType();
        wfe->wFormatTag = WAVE_FORMAT_MPEGLAYER3;
        wfe->cbSize = 0;
    } else {
        auto* mpeg = reinterpret_cast<MPEG1WAVEFORMAT*>(type.AllocFormatBuffer(sizeof(MPEG1WAVEFORMAT)));
        if (!mpeg) return CMediaType();
        wfe = &mpeg->wfx;
        wfe->wFormatTag = WAVE_FORMAT_MPEG;
        wfe->cbSize = sizeof(MPEG1WAVEFORMAT) - sizeof(WAVEFORMATEX);
        mpeg->fwHeadLayer = static_cast<WORD>(1 << (h.layer - 1));
        mpeg->dwHeadBitrate = static_cast<DWORD>(h.bitrate);
        mpeg->fwHeadMode = static_cast<WORD>(1 << h.channelMode);
        mpeg->fwHeadModeExt = static_cast<WORD>(1 << h.modeExtension);
        mpeg->wHeadEmphasis = static_cast<WORD>(h.emphasis + 1);
        WORD flags = 0;
        if (h.privateBit) flags |= ACM_MPEG_PRIVATEBIT;
        if (h.copyright) flags |= ACM_MPEG_COPYRIGHT;
        if (h.original) flags |= ACM_MPEG_ORIGINALHOME;
        if (h.protection == 0) flags |= ACM_MPEG_PROTECTIONBIT;
        if (h.version == 3) flags |= ACM_MPEG_ID_MPEG1;
        mpeg->fwHeadFlags = flags;
    }
    wfe->nChannels = h.channelMode == 3 ? 1 : 2;
    wfe->nSamplesPerSec = static_cast<DWORD>(h.sampleRate);
    wfe->nBlockAlign = static_cast<WORD>(h.frameSize);
    wfe->nAvgBytesPerSec = static_cast<DWORD>(h.bytesPerSecond);
    FOURCCMap subtype(wfe->wFormatTag);
    type.SetSubtype(&subtype);
    return type;
}
