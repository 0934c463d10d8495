#include "TestAllocator.h"

#include <algorithm>

CTestSample::CTestSample(CTestAllocator* allocator, long size) : CMediaSample(allocator), m_buffer(size) {
    SetPointer(m_buffer.data(), size);
}

CTestAllocator::~CTestAllocator() = default;

STDMETHODIMP CTestAllocator::SetProperties(ALLOCATOR_PROPERTIES* wanted, ALLOCATOR_PROPERTIES* actual) {
    if (!wanted || !actual) return E_POINTER;
    CSrwAutoLock lock(&m_lock);
    if (m_committed) return VFW_E_ALREADY_COMMITTED;
    if (m_outstanding > 0) return VFW_E_BUFFERS_OUTSTANDING;
    m_properties = *wanted;
    m_properties.cBuffers = std::max<long>(wanted->cBuffers, 1);
    m_properties.cbBuffer = std::min(wanted->cbBuffer, m_largestBuffer);
    m_properties.cbAlign = 1;
    m_properties.cbPrefix = 0;
    *actual = m_properties;
    return S_OK;
}

STDMETHODIMP CTestAllocator::GetProperties(ALLOCATOR_PROPERTIES* properties) {
    if (!properties) return E_POINTER;
    CSrwAutoLock lock(&m_lock);
    *properties = m_properties;
    return S_OK;
}

STDMETHODIMP CTestAllocator::Commit() {
    CSrwAutoLock lock(&m_lock);
    if (m_committed) return S_OK;
    if (m_outstanding > 0) return VFW_E_BUFFERS_OUTSTANDING;
    m_samples.clear();
    m_free.clear();
    for (long i = 0; i < m_properties.cBuffers; ++i) {
        m_samples.push_back(std::make_unique<CTestSample>(this, m_properties.cbBuffer));
        m_free.push_back(m_samples.back().get());
    }
    m_committed = true;
    return S_OK;
}

STDMETHODIMP CTestAllocator::Decommit() {
    CSrwAutoLock lock(&m_lock);
    m_committed = false;
    WakeAllConditionVariable(&m_freed);  // a waiting GetBuffer fails now
    return S_OK;
}

STDMETHODIMP CTestAllocator::GetBuffer(IMediaSample** sample, REFERENCE_TIME*, REFERENCE_TIME*, DWORD) {
    if (!sample) return E_POINTER;
    *sample = nullptr;
    CSrwAutoLock lock(&m_lock);
    for (;;) {
        if (!m_committed) return VFW_E_NOT_COMMITTED;
        if (!m_free.empty()) break;
        // Bounded: a test that loses a sample fails instead of hanging.
        if (!SleepConditionVariableSRW(&m_freed, &m_lock, 30000, 0)) return VFW_E_TIMEOUT;
    }
    CTestSample* s = m_free.back();
    m_free.pop_back();
    ++m_outstanding;
    s->AddRef();
    *sample = s;
    return S_OK;
}

STDMETHODIMP CTestAllocator::ReleaseBuffer(IMediaSample* sample) {
    CSrwAutoLock lock(&m_lock);
    auto* s = static_cast<CTestSample*>(sample);
    s->Recycle();
    --m_outstanding;
    m_free.push_back(s);
    WakeConditionVariable(&m_freed);
    return S_OK;
}
