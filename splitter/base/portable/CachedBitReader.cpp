#include "CachedBitReader.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

namespace {
constexpr int kMaxBits = 56;
constexpr int kMaxExpGolombPrefix = 31;
}  // namespace

CCachedBitReader::CCachedBitReader(IByteSource* source, int32_t* result, int cacheLength, bool requireRandomAccess,
                                   bool allowStreaming)
    : m_source(source) {
    if (!m_source) {
        *result = RESULT_UNEXPECTED;
        return;
    }
    int64_t total = 0, available = 0;
    int32_t hr = m_source->Length(&total, &available);
    m_streaming = total == 0 && available > 0;
    m_randomAccess = total > 0 && total == available;
    m_len = total;
    if (ResultFailed(hr) || (requireRandomAccess && !m_randomAccess) || (m_streaming && !allowStreaming) || m_len < 0) {
        *result = RESULT_FAIL;
        return;
    }
    *result = SetCacheLength(cacheLength) ? RESULT_OK : RESULT_OUTOFMEMORY;
}

CCachedBitReader::~CCachedBitReader() = default;

bool CCachedBitReader::SetCacheLength(int length) {
    m_cache.reset();
    m_spareBlocks.clear();
    m_cacheTotal = 0;
    m_cacheLen = 0;
    m_lentEnd = -1;
    if (length <= 0) return length == 0;
    m_cache.reset(new (std::nothrow) uint8_t[static_cast<size_t>(length)]);
    if (!m_cache) return false;
    m_cacheTotal = length;
    return true;
}

bool CCachedBitReader::TakeFreeBlock() {
    if (m_cache.use_count() > 1) {
        // Lent bytes point into the block: another one takes its place.
        auto spare = std::find_if(m_spareBlocks.begin(), m_spareBlocks.end(),
                                  [](const std::shared_ptr<uint8_t[]>& block) { return block.use_count() == 1; });
        if (spare != m_spareBlocks.end()) {
            std::swap(m_cache, *spare);
        } else {
            std::shared_ptr<uint8_t[]> fresh(new (std::nothrow) uint8_t[static_cast<size_t>(m_cacheTotal)]);
            if (!fresh) return false;
            if (m_spareBlocks.size() < kSpareBlocks) m_spareBlocks.push_back(m_cache);
            m_cache = std::move(fresh);
        }
    }
    // The last holder of lent bytes may have let go on another thread.
    std::atomic_thread_fence(std::memory_order_acquire);
    return true;
}

int32_t CCachedBitReader::FillCache() {
    const int64_t length = std::min(m_len - m_pos, m_cacheTotal);
    if (length <= 0) return RESULT_FALSE;
    m_cacheLen = 0;
    m_lentEnd = -1;
    if (!TakeFreeBlock()) return RESULT_OUTOFMEMORY;
    int32_t hr = m_source->SyncRead(m_pos, static_cast<int32_t>(length), m_cache.get());
    if (hr != RESULT_OK) return ResultFailed(hr) ? hr : RESULT_FAIL;
    m_cachePos = m_pos;
    m_cacheLen = length;
    return RESULT_OK;
}

int64_t CCachedBitReader::GetLength(bool refresh) {
    if (m_streaming || refresh) {
        int64_t total = 0, available = 0;
        if (!ResultFailed(m_source->Length(&total, &available))) m_len = m_streaming ? available : total;
    }
    return m_len;
}

int64_t CCachedBitReader::GetRemaining() { return std::max<int64_t>(0, GetLength() - GetPosition()); }

void CCachedBitReader::Seek(int64_t position) {
    if (m_streaming) GetLength(true);
    m_pos = std::min(std::max<int64_t>(position, 0), m_len);
    if (m_pos < m_lentEnd) {
        m_cacheLen = 0;
        m_lentEnd = -1;
    }
    m_bitBuffer = 0;
    m_bitCount = 0;
}

uint64_t CCachedBitReader::ReadBits(int count, bool peek) {
    if (count <= 0) return 0;
    if (count > kMaxBits) {
        m_readError = true;
        return 0;
    }
    while (m_bitCount < count) {
        uint8_t byte = 0;
        if (ReadCached(&byte, 1) != RESULT_OK) {
            m_readError = true;
            return 0;
        }
        m_bitBuffer = (m_bitBuffer << 8) | byte;
        m_bitCount += 8;
    }
    int rest = m_bitCount - count;
    uint64_t value = (m_bitBuffer >> rest) & ((uint64_t{1} << count) - 1);
    if (!peek) {
        m_bitBuffer &= (uint64_t{1} << rest) - 1;
        m_bitCount = rest;
    }
    return value;
}

uint64_t CCachedBitReader::ReadUnsignedExpGolomb() {
    int zeros = 0;
    while (ReadBits(1) == 0) {
        if (m_readError || ++zeros > kMaxExpGolombPrefix) {
            m_readError = true;
            return 0;
        }
    }
    return ReadBits(zeros) + (uint64_t{1} << zeros) - 1;
}

int64_t CCachedBitReader::ReadSignedExpGolomb() {
    uint64_t k = ReadUnsignedExpGolomb();
    int64_t magnitude = static_cast<int64_t>((k + 1) / 2);
    return (k & 1) ? magnitude : -magnitude;
}

int32_t CCachedBitReader::ReadBytes(uint8_t* buffer, int64_t count) {
    Seek(GetPosition());
    return ReadCached(buffer, count);
}

int32_t CCachedBitReader::ReadDirect(uint8_t* buffer, int64_t count) {
    // In pieces that fit the source's 32-bit length argument.
    constexpr int64_t kMaxPiece = 0x40000000;
    while (count > 0) {
        int32_t piece = static_cast<int32_t>(std::min(count, kMaxPiece));
        int32_t hr = m_source->SyncRead(m_pos, piece, buffer);
        if (hr != RESULT_OK) return hr;
        m_pos += piece;
        buffer += piece;
        count -= piece;
    }
    return RESULT_OK;
}

int32_t CCachedBitReader::ReadCached(uint8_t* buffer, int64_t count) {
    if (!m_source) return RESULT_NOINTERFACE;
    if (count < 0) return RESULT_FAIL;
    if (count == 0) return RESULT_OK;
    if (!m_randomAccess) {
        int64_t total = 0, available = 0;
        if (!ResultFailed(m_source->Length(&total, &available)) && total == available) m_randomAccess = true;
    }
    if (m_cacheTotal == 0) return ReadDirect(buffer, count);
    if (m_pos >= m_cachePos && m_pos < m_cachePos + m_cacheLen) {
        int64_t take = std::min(count, m_cachePos + m_cacheLen - m_pos);
        std::memcpy(buffer, m_cache.get() + (m_pos - m_cachePos), static_cast<size_t>(take));
        m_pos += take;
        buffer += take;
        count -= take;
    }
    if (count > m_cacheTotal) {
        // Large reads bypass the cache; less than a cache's worth is left for it.
        int64_t direct = count - count % m_cacheTotal;
        int32_t hr = ReadDirect(buffer, direct);
        if (hr != RESULT_OK) return hr;
        buffer += direct;
        count -= direct;
    }
    while (count > 0) {
        int32_t hr = FillCache();
        if (hr != RESULT_OK) return hr;
        int64_t take = std::min(count, m_cacheLen);
        std::memcpy(buffer, m_cache.get(), static_cast<size_t>(take));
        m_pos += take;
        buffer += take;
        count -= take;
    }
    return RESULT_OK;
}

std::shared_ptr<uint8_t> CCachedBitReader::ReadShared(int64_t count) {
    Seek(GetPosition());
    if (!m_source || m_cacheTotal == 0 || !m_randomAccess || count <= 0 || count > m_cacheTotal) return nullptr;
    const bool cached = m_pos >= m_cachePos && m_pos + count <= m_cachePos + m_cacheLen;
    // A fill starts at the bytes, so that they lie in one block.
    if (!cached && (FillCache() != RESULT_OK || count > m_cacheLen)) return nullptr;
    std::shared_ptr<uint8_t> bytes(m_cache, m_cache.get() + (m_pos - m_cachePos));
    m_pos += count;
    m_lentEnd = m_pos;
    return bytes;
}
