#include "PacketAllocator.h"

#include <vfwmsgs.h>

#include <algorithm>

void CPacketSample::Attach(std::unique_ptr<Packet> packet) {
    m_packet = std::move(packet);
    SetPointer(m_packet->GetData(), static_cast<long>(m_packet->GetDataSize()));
}

void CPacketSample::Recycle() {
    CMediaSample::Recycle();
    SetPointer(nullptr, 0);
    m_packet.reset();
}

CPacketAllocator::~CPacketAllocator() = default;

STDMETHODIMP CPacketAllocator::SetProperties(ALLOCATOR_PROPERTIES* wanted, ALLOCATOR_PROPERTIES* actual) {
    if (!wanted || !actual) return E_POINTER;
    CSrwAutoLock lock(&m_lock);
    if (m_committed) return VFW_E_ALREADY_COMMITTED;
    if (m_outstanding > 0) return VFW_E_BUFFERS_OUTSTANDING;
    // Packet payloads have no prefix and no alignment beyond the heap's.
    m_properties.cBuffers = std::max<long>(wanted->cBuffers, 1);
    m_properties.cbBuffer = std::max<long>(wanted->cbBuffer, 1);
    m_properties.cbAlign = 1;
    m_properties.cbPrefix = 0;
    *actual = m_properties;
    return S_OK;
}

STDMETHODIMP CPacketAllocator::GetProperties(ALLOCATOR_PROPERTIES* properties) {
    if (!properties) return E_POINTER;
    CSrwAutoLock lock(&m_lock);
    *properties = m_properties;
    return S_OK;
}

STDMETHODIMP CPacketAllocator::Commit() {
    CSrwAutoLock lock(&m_lock);
    if (m_committed) return S_OK;
    if (m_outstanding > 0) return VFW_E_BUFFERS_OUTSTANDING;
    m_free.clear();
    m_samples.resize(static_cast<size_t>(m_properties.cBuffers));
    for (auto& sample : m_samples) {
        if (!sample) sample.reset(new (std::nothrow) CPacketSample(this));
        if (!sample) return E_OUTOFMEMORY;
        m_free.push_back(sample.get());
    }
    m_committed = true;
    return S_OK;
}

STDMETHODIMP CPacketAllocator::Decommit() {
    CSrwAutoLock lock(&m_lock);
    m_committed = false;
    WakeAllConditionVariable(&m_freed);  // a waiting GetBuffer fails now
    return S_OK;
}

HRESULT CPacketAllocator::TakeSample(CPacketSample** sample) {
    CSrwAutoLock lock(&m_lock);
    for (;;) {
        if (!m_committed) return VFW_E_NOT_COMMITTED;
        if (!m_free.empty()) break;
        SleepConditionVariableSRW(&m_freed, &m_lock, INFINITE, 0);
    }
    *sample = m_free.back();
    m_free.pop_back();
    ++m_outstanding;
    // A sample downstream keeps its allocator alive.
    AddRef();
    return S_OK;
}

STDMETHODIMP CPacketAllocator::GetBuffer(IMediaSample** sample, REFERENCE_TIME*, REFERENCE_TIME*, DWORD) {
    if (!sample) return E_POINTER;
    *sample = nullptr;
    long size = 0;
    {
        CSrwAutoLock lock(&m_lock);
        size = m_properties.cbBuffer;
    }
    auto packet = std::make_unique<Packet>(m_pool);
    if (!packet->SetDataSize(static_cast<size_t>(size))) return E_OUTOFMEMORY;
    CComRef<IMediaSample> taken;
    HRESULT hr = GetPacketSample(std::move(packet), taken);
    if (hr != S_OK) return hr;
    *sample = taken.Get();
    (*sample)->AddRef();
    return S_OK;
}

HRESULT CPacketAllocator::GetPacketSample(std::unique_ptr<Packet> packet, CComRef<IMediaSample>& sample) {
    const long size = static_cast<long>(packet->GetDataSize());
    CPacketSample* taken = nullptr;
    HRESULT hr = TakeSample(&taken);
    if (hr != S_OK) return hr;
    {
        // The agreed size follows the largest packet, half again, as a copying
        // allocator's buffers do.
        CSrwAutoLock lock(&m_lock);
        if (size > m_properties.cbBuffer) m_properties.cbBuffer = static_cast<long>(static_cast<int64_t>(size) * 3 / 2);
    }
    taken->Attach(std::move(packet));
    sample = CComRef<IMediaSample>(taken);
    return S_OK;
}

STDMETHODIMP CPacketAllocator::ReleaseBuffer(IMediaSample* sample) {
    if (!sample) return E_POINTER;
    auto* s = static_cast<CPacketSample*>(sample);
    // The packet ends here, its buffer back to its pool, outside the lock.
    s->Recycle();
    {
        CSrwAutoLock lock(&m_lock);
        --m_outstanding;
        m_free.push_back(s);
        WakeConditionVariable(&m_freed);
    }
    Release();
    return S_OK;
}
