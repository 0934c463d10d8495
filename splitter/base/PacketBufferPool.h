// The payload buffers of one output pin, reused: a buffer comes back when its packet
// ends (on the delivery thread, or downstream when a sample carried it) and goes out
// again for a later packet that fits, so the reader writes into pages already mapped.
#pragma once

#include "Sync.h"
#include "portable/Packet.h"

#include <vector>

class CPacketBufferPool : public IPacketBufferPool {
public:
    std::unique_ptr<uint8_t[]> Take(size_t size, size_t* capacity) override;
    void Give(std::unique_ptr<uint8_t[]> buffer, size_t capacity) override;

    // Capacities are powers of two from this size up.
    static constexpr size_t kSmallest = 256;
    static constexpr int kClasses = 17;  // up to 16 MiB, the largest tag
    // Free buffers beyond this are given back to the heap.
    static constexpr size_t kMostFreeBytes = 16 * 1024 * 1024;

private:
    CCritSec m_lock;
    std::vector<std::unique_ptr<uint8_t[]>> m_free[kClasses];
    size_t m_freeBytes = 0;
};
