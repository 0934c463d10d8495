// A pin's queue of packets between the reading thread and its delivery thread; a
// null entry marks the end of the stream. Changes take the queue's own lock; the
// count and size can be read without it. The delivery thread is woken for a batch,
// not for every packet: a wake-up costs more than delivering a packet.
#pragma once

#include "Sync.h"
#include "portable/Packet.h"

#include <atomic>
#include <deque>
#include <memory>

class PacketQueue {
public:
    void Add(std::unique_ptr<Packet> packet);
    // Takes the head out (a null packet is an end-of-stream marker) and returns the
    // count before; 0 when the queue was empty.
    int Remove(std::unique_ptr<Packet>& head);
    void RemoveAll();
    int GetSize() const { return m_size; }
    void GetStatus(int* count, int* size) const;
    // For the delivery thread: returns once a batch or the end of the stream is
    // queued, when other is signalled, or after timeoutMs (a slow reader's packets
    // still go through).
    void WaitForPackets(HANDLE other, DWORD timeoutMs);

    // A batch worth waking the delivery thread for.
    static constexpr int kBatchPackets = 64;
    static constexpr int kBatchBytes = 256 * 1024;

private:
    bool HasBatch() const;

    CCritSec m_lock;
    std::deque<std::unique_ptr<Packet>> m_packets;
    std::atomic<int> m_count{0};
    std::atomic<int> m_size{0};
    bool m_waiting = false;
    CAMEvent m_ready;
};
