#include "PacketQueue.h"

void PacketQueue::Add(std::unique_ptr<Packet> packet) {
    bool wake = false;
    {
        CSrwAutoLock lock(&m_lock);
        if (packet) m_size += static_cast<int>(packet->GetDataSize());
        m_packets.push_back(std::move(packet));
        m_count = static_cast<int>(m_packets.size());
        if (m_waiting && HasBatch()) {
            m_waiting = false;
            wake = true;
        }
    }
    if (wake) WakeConditionVariable(&m_ready);
}

int PacketQueue::Remove(std::unique_ptr<Packet>& head) {
    CSrwAutoLock lock(&m_lock);
    int count = static_cast<int>(m_packets.size());
    if (count == 0) return 0;
    head = std::move(m_packets.front());
    m_packets.pop_front();
    m_count = count - 1;
    if (head) m_size -= static_cast<int>(head->GetDataSize());
    return count;
}

void PacketQueue::RemoveAll() {
    std::deque<std::unique_ptr<Packet>> removed;
    {
        CSrwAutoLock lock(&m_lock);
        removed.swap(m_packets);
        m_count = 0;
        m_size = 0;
    }
}

void PacketQueue::GetStatus(int* count, int* size) const {
    *count = m_count;
    *size = m_size;
}

bool PacketQueue::HasBatch() const {
    return m_packets.size() >= static_cast<size_t>(kBatchPackets) || m_size >= kBatchBytes ||
           (!m_packets.empty() && !m_packets.back());
}

void PacketQueue::WaitForPackets(DWORD timeoutMs) {
    CSrwAutoLock lock(&m_lock);
    if (HasBatch()) return;
    m_waiting = true;
    SleepConditionVariableSRW(&m_ready, &m_lock, timeoutMs, 0);
    m_waiting = false;
}
