// A pin's queue of packets between the reading thread and its delivery thread; a
// null entry marks the end of the stream. Every operation takes the queue's own lock.
#pragma once

#include "Sync.h"
#include "portable/Packet.h"

#include <deque>
#include <memory>

class PacketQueue {
public:
    void Add(std::unique_ptr<Packet> packet);
    // Takes the head out (a null packet is an end-of-stream marker) and returns the
    // count before; 0 when the queue was empty.
    int Remove(std::unique_ptr<Packet>& head);
    void RemoveAll();
    int GetSize();
    // Count and size read together under one lock.
    void GetStatus(int* count, int* size);

private:
    CCritSec m_lock;
    std::deque<std::unique_ptr<Packet>> m_packets;
    int m_size = 0;
};
