// The reader the format parser reads through: the cached bit reader over a
// DirectShow IAsyncReader, and MPEG audio headers turned into media types.
#pragma once

#include "portable/CachedBitReader.h"
#include "portable/MpegAudioHeader.h"
#include "strmbase.h"

// The IAsyncReader as a byte source; holds its reference.
class CAsyncReaderByteSource : public IByteSource {
public:
    explicit CAsyncReaderByteSource(IAsyncReader* reader) : m_reader(reader) {}
    int32_t SyncRead(int64_t position, int32_t length, uint8_t* buffer) override;
    int32_t Length(int64_t* total, int64_t* available) override;

protected:
    int32_t m_createResult = RESULT_OK;

private:
    CComRef<IAsyncReader> m_reader;
};

class CBaseSplitterFile : private CAsyncReaderByteSource, public CCachedBitReader {
public:
    CBaseSplitterFile(IAsyncReader* reader, HRESULT* result, int cacheLength = 2048, bool requireRandomAccess = true,
                      bool allowStreaming = false);
};

class CBaseSplitterFileEx : public CBaseSplitterFile {
public:
    using CBaseSplitterFile::CBaseSplitterFile;
    // A frame header within the next bytesToSearch bytes; its media type when asked.
    bool ReadMpegAudioHeader(MpegAudioHeader& header, int bytesToSearch, bool allowMpeg25, CMediaType* type);
};

// The media type of an MPEG audio stream with this frame header.
CMediaType MakeMpegAudioMediaType(const MpegAudioHeader& header);
