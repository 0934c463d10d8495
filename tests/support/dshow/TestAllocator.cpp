#include "TestAllocator.h"

#include <algorithm>

CTestSample::CTestSample(CTestAllocator* allocator, long size) : m_allocator(allocator), m_buffer(size) {}

STDMETHODIMP CTestSample::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IMediaSample) {
        *ppv = static_cast<IMediaSample*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CTestSample::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_ref)); }

STDMETHODIMP_(ULONG) CTestSample::Release() {
    LONG ref = InterlockedDecrement(&m_ref);
    if (ref == 0)
        m_allocator->ReleaseBuffer(this);
    return static_cast<ULONG>(ref);
}

STDMETHODIMP CTestSample::GetPointer(BYTE** buffer) {
    if (!buffer)
        return E_POINTER;
    *buffer = m_buffer.data();
    return S_OK;
}

STDMETHODIMP CTestSample::GetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) {
    if (!m_hasTime)
        return VFW_E_SAMPLE_TIME_NOT_SET;
    *start = m_start;
    *stop = m_stop;
    return S_OK;
}

STDMETHODIMP CTestSample::SetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) {
    m_hasTime = start != nullptr;
    if (start) {
        m_start = *start;
        m_stop = stop ? *stop : *start + 1;
    }
    return S_OK;
}

STDMETHODIMP CTestSample::SetSyncPoint(BOOL sync) {
    m_sync = sync != FALSE;
    return S_OK;
}

STDMETHODIMP CTestSample::SetPreroll(BOOL preroll) {
    m_preroll = preroll != FALSE;
    return S_OK;
}

STDMETHODIMP CTestSample::SetActualDataLength(long length) {
    if (length < 0 || length > GetSize())
        return VFW_E_BUFFER_OVERFLOW;
    m_length = length;
    return S_OK;
}

STDMETHODIMP CTestSample::GetMediaType(AM_MEDIA_TYPE** type) {
    *type = nullptr;
    return S_FALSE;
}

STDMETHODIMP CTestSample::SetMediaType(AM_MEDIA_TYPE*) { return S_OK; }

STDMETHODIMP CTestSample::SetDiscontinuity(BOOL discontinuity) {
    m_discontinuity = discontinuity != FALSE;
    return S_OK;
}

STDMETHODIMP CTestSample::GetMediaTime(LONGLONG*, LONGLONG*) { return VFW_E_MEDIA_TIME_NOT_SET; }

STDMETHODIMP CTestSample::SetMediaTime(LONGLONG*, LONGLONG*) { return S_OK; }

void CTestSample::Recycle() {
    m_length = 0;
    m_hasTime = m_sync = m_preroll = m_discontinuity = false;
}

namespace {
class CSrwLock {
public:
    explicit CSrwLock(SRWLOCK* lock) : m_lock(lock) { AcquireSRWLockExclusive(m_lock); }
    ~CSrwLock() { ReleaseSRWLockExclusive(m_lock); }
    CSrwLock(const CSrwLock&) = delete;
    CSrwLock& operator=(const CSrwLock&) = delete;

private:
    SRWLOCK* m_lock;
};
}  // namespace

CTestAllocator::~CTestAllocator() = default;

STDMETHODIMP CTestAllocator::SetProperties(ALLOCATOR_PROPERTIES* wanted, ALLOCATOR_PROPERTIES* actual) {
    if (!wanted || !actual)
        return E_POINTER;
    CSrwLock lock(&m_lock);
    if (m_committed)
        return VFW_E_ALREADY_COMMITTED;
    if (m_outstanding > 0)
        return VFW_E_BUFFERS_OUTSTANDING;
    m_properties = *wanted;
    m_properties.cBuffers = std::max<long>(wanted->cBuffers, 1);
    m_properties.cbBuffer = std::min(wanted->cbBuffer, m_largestBuffer);
    m_properties.cbAlign = 1;
    m_properties.cbPrefix = 0;
    *actual = m_properties;
    return S_OK;
}

STDMETHODIMP CTestAllocator::GetProperties(ALLOCATOR_PROPERTIES* properties) {
    if (!properties)
        return E_POINTER;
    CSrwLock lock(&m_lock);
    *properties = m_properties;
    return S_OK;
}

STDMETHODIMP CTestAllocator::Commit() {
    CSrwLock lock(&m_lock);
    if (m_committed)
        return S_OK;
    if (m_outstanding > 0)
        return VFW_E_BUFFERS_OUTSTANDING;
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
    CSrwLock lock(&m_lock);
    m_committed = false;
    WakeAllConditionVariable(&m_freed);  // a waiting GetBuffer fails now
    return S_OK;
}

STDMETHODIMP CTestAllocator::GetBuffer(IMediaSample** sample, REFERENCE_TIME*, REFERENCE_TIME*, DWORD) {
    if (!sample)
        return E_POINTER;
    *sample = nullptr;
    CSrwLock lock(&m_lock);
    for (;;) {
        if (!m_committed)
            return VFW_E_NOT_COMMITTED;
        if (!m_free.empty())
            break;
        // Bounded: a test that loses a sample fails instead of hanging.
        if (!SleepConditionVariableSRW(&m_freed, &m_lock, 30000, 0))
            return VFW_E_TIMEOUT;
    }
    CTestSample* s = m_free.back();
    m_free.pop_back();
    ++m_outstanding;
    s->AddRef();
    *sample = s;
    return S_OK;
}

STDMETHODIMP CTestAllocator::ReleaseBuffer(IMediaSample* sample) {
    CSrwLock lock(&m_lock);
    auto* s = static_cast<CTestSample*>(sample);
    s->Recycle();
    --m_outstanding;
    m_free.push_back(s);
    WakeConditionVariable(&m_freed);
    return S_OK;
}
