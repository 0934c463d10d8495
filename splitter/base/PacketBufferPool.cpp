#include "PacketBufferPool.h"

namespace {

// The smallest class whose capacity holds size; kClasses when none does.
int ClassOf(size_t size) {
    int c = 0;
    for (size_t capacity = CPacketBufferPool::kSmallest; capacity < size && c < CPacketBufferPool::kClasses;
         capacity <<= 1)
        ++c;
    return c;
}

}  // namespace

std::unique_ptr<uint8_t[]> CPacketBufferPool::Take(size_t size, size_t* capacity) {
    const int c = ClassOf(size);
    if (c == kClasses) {
        // Larger than any class: a buffer of its own, freed when it comes back.
        *capacity = size;
        return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[size]);
    }
    *capacity = kSmallest << c;
    {
        CAutoLock lock(&m_lock);
        if (!m_free[c].empty()) {
            std::unique_ptr<uint8_t[]> buffer = std::move(m_free[c].back());
            m_free[c].pop_back();
            m_freeBytes -= *capacity;
            return buffer;
        }
    }
    return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[*capacity]);
}

void CPacketBufferPool::Give(std::unique_ptr<uint8_t[]> buffer, size_t capacity) {
    const int c = ClassOf(capacity);
    if (!buffer || c == kClasses || capacity != kSmallest << c) return;
    CAutoLock lock(&m_lock);
    if (m_freeBytes + capacity > kMostFreeBytes) return;  // freed here, outside the pool
    m_free[c].push_back(std::move(buffer));
    m_freeBytes += capacity;
}
