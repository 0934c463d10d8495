#include "MemoryByteSource.h"

#include <cstring>

int32_t CMemoryByteSource::SyncRead(int64_t position, int32_t length, uint8_t* buffer) {
    if (position < 0 || length < 0 || position > m_size || length > m_size - position) return RESULT_FAIL;
    if (length > 0) std::memcpy(buffer, m_data + position, static_cast<size_t>(length));
    return RESULT_OK;
}

int32_t CMemoryByteSource::Length(int64_t* total, int64_t* available) {
    *total = m_size;
    *available = m_size;
    return RESULT_OK;
}
