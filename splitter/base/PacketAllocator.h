// The output pin's own allocator: each of its samples carries a packet and uses the
// packet's payload as its buffer, so the bytes reach downstream without a copy. As
// with any allocator, at most the agreed number of samples is out at once: a
// downstream filter that holds samples holds back the delivery thread.
#pragma once

#include "ComObject.h"
#include "MediaSample.h"
#include "ComRef.h"
#include "Sync.h"
#include "portable/Packet.h"

#include <memory>
#include <vector>

class CPacketSample : public CMediaSample {
public:
    explicit CPacketSample(IMemAllocator* allocator) : CMediaSample(allocator) {}
    // The packet whose payload is this sample's buffer, until the sample comes back.
    void Attach(std::unique_ptr<Packet> packet);
    void Recycle() override;

private:
    std::unique_ptr<Packet> m_packet;
};

class CPacketAllocator : public CComObject<IMemAllocator, &IID_IMemAllocator> {
public:
    // Buffers that GetBuffer hands out come from pool.
    explicit CPacketAllocator(std::shared_ptr<IPacketBufferPool> pool) : m_pool(std::move(pool)) {}
    ~CPacketAllocator() override;

    STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* wanted, ALLOCATOR_PROPERTIES* actual) override;
    STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* properties) override;
    STDMETHODIMP Commit() override;
    STDMETHODIMP Decommit() override;
    STDMETHODIMP GetBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags) override;
    STDMETHODIMP ReleaseBuffer(IMediaSample* sample) override;

    // A sample whose buffer is the packet's payload (which must not be empty); waits
    // for a free sample as GetBuffer does.
    HRESULT GetPacketSample(std::unique_ptr<Packet> packet, CComRef<IMediaSample>& sample);

private:
    // A free sample, waiting while all are out; fails once decommitted.
    HRESULT TakeSample(CPacketSample** sample);

    std::shared_ptr<IPacketBufferPool> m_pool;
    // A lock and a condition of the process: a sample comes back for every packet,
    // and that must cost no system call.
    SRWLOCK m_lock = SRWLOCK_INIT;
    CONDITION_VARIABLE m_freed = CONDITION_VARIABLE_INIT;
    ALLOCATOR_PROPERTIES m_properties = {};
    bool m_committed = false;
    std::vector<std::unique_ptr<CPacketSample>> m_samples;
    std::vector<CPacketSample*> m_free;
    int m_outstanding = 0;
};
