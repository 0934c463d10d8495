#include "PacketQueue.h"

void PacketQueue::Add(std::unique_ptr<Packet> packet) {
    CAutoLock lock(&m_lock);
    if (packet)
        m_size += static_cast<int>(packet->GetDataSize());
    m_packets.push_back(std::move(packet));
}

int PacketQueue::Remove(std::unique_ptr<Packet>& head) {
    CAutoLock lock(&m_lock);
    int count = static_cast<int>(m_packets.size());
    if (count == 0)
        return 0;
    head = std::move(m_packets.front());
    m_packets.pop_front();
    if (head)
        m_size -= static_cast<int>(head->GetDataSize());
    return count;
}

void PacketQueue::RemoveAll() {
    CAutoLock lock(&m_lock);
    m_packets.clear();
    m_size = 0;
}

int PacketQueue::GetSize() {
    CAutoLock lock(&m_lock);
    return m_size;
}

void PacketQueue::GetStatus(int* count, int* size) {
    CAutoLock lock(&m_lock);
    *count = static_cast<int>(m_packets.size());
    *size = m_size;
}
