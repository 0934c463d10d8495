// A pin's queue of packets between the reading thread and its delivery thread; a
// null entry marks the end of the stream. Changes take the queue's own lock; the
// count and size can be read without it. The delivery thread is woken for a batch,
// not for every packet: a wake-up costs more than delivering a packet. The lock and
// the wake-up are the process's own (a slim lock and a condition variable), so that
// neither costs a round trip to the system's object server.
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
    // queued, or after timeoutMs (a slow reader's packets still go through, and the
    // thread sees its commands).
    void WaitForPackets(DWORD timeoutMs);

    // A batch worth waking the delivery thread for.
    static constexpr int kBatchPackets = 64;
    static constexpr int kBatchBytes = 256 * 1024;

private:
    bool HasBatch() const;

    SRWLOCK m_lock = SRWLOCK_INIT;
    CONDITION_VARIABLE m_ready = CONDITION_VARIABLE_INIT;
    std::deque<std::unique_ptr<Packet>> m_packets;
    std::atomic<int> m_count{0};
    std::atomic<int> m_size{0};
    bool m_waiting = false;
};
