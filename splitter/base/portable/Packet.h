// A demultiplexed sample on its way from the reading thread to a pin's queue.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

// A packet time that is not set.
constexpr int64_t INVALID_PACKET_TIME = INT64_MIN;

class Packet {
public:
    virtual ~Packet() = default;

    // An uninitialised payload of the given size; false when it cannot be allocated.
    bool SetDataSize(size_t size) {
        m_data.reset(size ? new (std::nothrow) uint8_t[size] : nullptr);
        m_size = (size && !m_data) ? 0 : size;
        return m_size == size;
    }
    virtual size_t GetDataSize() const { return m_size; }
    uint8_t* GetData() const { return m_data.get(); }

    uint32_t TrackNumber = 0;
    bool bDiscontinuity = false;
    bool bSyncPoint = false;
    int64_t rtStart = INVALID_PACKET_TIME;
    int64_t rtStop = INVALID_PACKET_TIME;

private:
    std::unique_ptr<uint8_t[]> m_data;
    size_t m_size = 0;
};
