// A demultiplexed sample on its way from the reading thread to a pin's queue.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

// A packet time that is not set.
constexpr int64_t INVALID_PACKET_TIME = INT64_MIN;

// Where payload buffers come from and go back to. Thread-safe: buffers come back on
// whichever thread lets go of their packet.
class IPacketBufferPool {
public:
    virtual ~IPacketBufferPool() = default;
    // A buffer of at least size bytes and its capacity; null when none can be had.
    virtual std::unique_ptr<uint8_t[]> Take(size_t size, size_t* capacity) = 0;
    virtual void Give(std::unique_ptr<uint8_t[]> buffer, size_t capacity) = 0;
};

class Packet {
public:
    Packet() = default;
    // The payload comes from pool (none: a buffer of its own).
    explicit Packet(std::shared_ptr<IPacketBufferPool> pool) : m_pool(std::move(pool)) {}
    virtual ~Packet() { FreeData(); }
    Packet(const Packet&) = delete;
    Packet& operator=(const Packet&) = delete;

    // An uninitialised payload of the given size; false when it cannot be allocated.
    bool SetDataSize(size_t size) {
        FreeData();
        if (size == 0) return true;
        if (m_pool) {
            m_data = m_pool->Take(size, &m_capacity);
        } else {
            m_data.reset(new (std::nothrow) uint8_t[size]);
            m_capacity = size;
        }
        if (!m_data) return false;
        m_size = size;
        return true;
    }
    // A payload that stays where it is, inside a larger buffer that data keeps alive.
    void SetSharedData(std::shared_ptr<uint8_t> data, size_t size) {
        FreeData();
        m_shared = std::move(data);
        m_size = m_shared ? size : 0;
    }
    virtual size_t GetDataSize() const { return m_size; }
    uint8_t* GetData() const { return m_shared ? m_shared.get() : m_data.get(); }

    uint32_t TrackNumber = 0;
    bool bDiscontinuity = false;
    bool bSyncPoint = false;
    int64_t rtStart = INVALID_PACKET_TIME;
    int64_t rtStop = INVALID_PACKET_TIME;

private:
    void FreeData() {
        if (m_pool && m_data) m_pool->Give(std::move(m_data), m_capacity);
        m_data.reset();
        m_shared.reset();
        m_size = m_capacity = 0;
    }

    std::shared_ptr<IPacketBufferPool> m_pool;
    std::unique_ptr<uint8_t[]> m_data;
    std::shared_ptr<uint8_t> m_shared;
    size_t m_size = 0;
    size_t m_capacity = 0;
};
