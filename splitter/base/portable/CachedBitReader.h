// A byte and bit reader with a read cache over a byte source: big-endian bit fields,
// Exp-Golomb codes, positions and lengths. A read that runs past the end of the data
// (or fails at the source) sets the read error, which the parsers test.
#pragma once

#include "ByteSource.h"

#include <memory>
#include <vector>

class CCachedBitReader {
public:
    // result receives RESULT_OK, or the reason the source cannot be read this way.
    CCachedBitReader(IByteSource* source, int32_t* result, int cacheLength, bool requireRandomAccess,
                     bool allowStreaming);
    virtual ~CCachedBitReader();
    CCachedBitReader(const CCachedBitReader&) = delete;
    CCachedBitReader& operator=(const CCachedBitReader&) = delete;

    // A new cache of n bytes (0: reads bypass the cache); false when it cannot be had.
    bool SetCacheLength(int length);
    // The next byte to read; bytes still held in the bit buffer count as unread.
    int64_t GetPosition() const { return m_pos - (m_bitCount >> 3); }
    int64_t GetLength(bool refresh = false);
    int64_t GetRemaining();
    virtual void Seek(int64_t position);

    // Up to 56 bits, most significant first; 0 and the read error at the end of data.
    virtual uint64_t ReadBits(int count, bool peek = false);
    // ue(v) and se(v) codes; prefixes longer than 31 zero bits are read errors.
    uint64_t ReadUnsignedExpGolomb();
    int64_t ReadSignedExpGolomb();
    // Bytes from the current position (the bit buffer is dropped first).
    int32_t ReadBytes(uint8_t* buffer, int64_t count);
    virtual int32_t ReadCached(uint8_t* buffer, int64_t count);
    // The next count bytes where they lie in the cache, without a copy: the pointer
    // keeps its cache block alive, and the reader fills other blocks meanwhile. Null
    // (nothing read) when the bytes cannot be lent: no cache, more than it holds, a
    // source that is not random access, or a failed read; then ReadBytes copies them.
    std::shared_ptr<uint8_t> ReadShared(int64_t count);

    bool HasReadError() const { return m_readError; }
    void ClearReadError() { m_readError = false; }
    bool IsRandomAccess() const { return m_randomAccess; }

private:
    int32_t ReadDirect(uint8_t* buffer, int64_t count);
    // Fills the cache from the current position; RESULT_FALSE at the end of the data.
    int32_t FillCache();
    // Makes the cache a block that no lent bytes point into; false without memory.
    bool TakeFreeBlock();

    // Blocks kept for reuse once no lent bytes point into them.
    static constexpr size_t kSpareBlocks = 4;

    IByteSource* m_source;
    std::shared_ptr<uint8_t[]> m_cache;
    std::vector<std::shared_ptr<uint8_t[]>> m_spareBlocks;
    // The end of the last bytes lent from the cache block; a seek below it reads the
    // source again, since whoever holds lent bytes may have written to them.
    int64_t m_lentEnd = -1;
    int64_t m_cachePos = 0;
    int64_t m_cacheLen = 0;
    int64_t m_cacheTotal = 0;
    bool m_streaming = false;
    bool m_randomAccess = false;
    int64_t m_pos = 0;
    int64_t m_len = 0;
    uint64_t m_bitBuffer = 0;
    int m_bitCount = 0;
    bool m_readError = false;
};
