// A byte source over a block of memory that the caller keeps alive.
#pragma once

#include "ByteSource.h"

#include <cstddef>

class CMemoryByteSource : public IByteSource {
public:
    CMemoryByteSource(const uint8_t* data, size_t size) : m_data(data), m_size(static_cast<int64_t>(size)) {}

    int32_t SyncRead(int64_t position, int32_t length, uint8_t* buffer) override;
    int32_t Length(int64_t* total, int64_t* available) override;

private:
    const uint8_t* m_data;
    int64_t m_size;
};
