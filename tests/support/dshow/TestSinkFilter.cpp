#include "TestSinkFilter.h"

#include <evcode.h>

namespace {
const CLSID kTestSinkClsid = {0x6C1B5D47, 0x2E0A, 0x4B7F, {0x9A, 0x11, 0x3D, 0x52, 0x60, 0x7E, 0x44, 0x10}};
}

CTestSinkPin::CTestSinkPin(CTestSinkFilter* filter, CCritSec* lock, const SinkOptions& options)
    : CBasePin(L"CTestSinkPin", filter, lock, nullptr, L"In", PINDIR_INPUT), m_options(options) {
    *m_allocator.Receive() = new CTestAllocator(options.largestBuffer);
    if (!options.holdUntilFlush) {
        m_isReleased = true;
        m_released.Set();
    }
}

STDMETHODIMP CTestSinkPin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IMemInputPin) return GetInterface(static_cast<IMemInputPin*>(this), ppv);
    return CBasePin::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CTestSinkPin::CheckMediaType(const CMediaType* type) {
    ++m_connectionAttempts;
    if (FAILED(m_options.connectFailure)) return m_options.connectFailure;
    return m_options.acceptMajor == GUID_NULL || type->majortype == m_options.acceptMajor ? S_OK : S_FALSE;
}

STDMETHODIMP CTestSinkPin::BeginFlush() {
    m_flushing = true;
    m_isReleased = true;
    m_released.Set();
    ++m_flushes;
    return S_OK;
}

STDMETHODIMP CTestSinkPin::EndFlush() {
    m_flushing = false;
    m_endOfStream.Reset();
    return S_OK;
}

STDMETHODIMP CTestSinkPin::EndOfStream() {
    ++m_endOfStreams;
    m_endOfStream.Set();
    // A renderer in a graph tells the graph that its stream is complete.
    m_pFilter->NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(m_pFilter)));
    return S_OK;
}

STDMETHODIMP CTestSinkPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    ++m_newSegments;
    m_segmentStart = start;
    return CBasePin::NewSegment(start, stop, rate);
}

STDMETHODIMP CTestSinkPin::GetAllocator(IMemAllocator** allocator) {
    if (!allocator) return E_POINTER;
    *allocator = m_allocator.Get();
    (*allocator)->AddRef();
    return S_OK;
}

STDMETHODIMP CTestSinkPin::NotifyAllocator(IMemAllocator* allocator, BOOL) {
    bool own = allocator == static_cast<IMemAllocator*>(m_allocator.Get());
    if (m_options.ownAllocatorOnly && !own) return E_FAIL;
    m_usesOwnAllocator = own;
    return S_OK;
}

STDMETHODIMP CTestSinkPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) { return E_NOTIMPL; }

STDMETHODIMP CTestSinkPin::Receive(IMediaSample* sample) {
    // Bounded, so that a test that never flushes fails instead of hanging. The flag
    // spares the wait (a system call) once released.
    if (!m_isReleased) m_released.Wait(20000);
    if (m_flushing) return S_FALSE;
    int index = m_received++;
    if (m_options.failAfter >= 0 && index >= m_options.failAfter) return E_FAIL;
    long length = sample->GetActualDataLength();
    m_bytes += length;
    if (!m_options.keepData) return S_OK;
    ReceivedSample r;
    r.hasTime = sample->GetTime(&r.start, &r.stop) == S_OK;
    r.sync = sample->IsSyncPoint() == S_OK;
    r.discontinuity = sample->IsDiscontinuity() == S_OK;
    r.preroll = sample->IsPreroll() == S_OK;
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    r.data.assign(data, data + length);
    CAutoLock lock(&m_samplesLock);
    m_samples.push_back(std::move(r));
    return S_OK;
}

STDMETHODIMP CTestSinkPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
    *processed = 0;
    for (long i = 0; i < count; ++i) {
        HRESULT hr = Receive(samples[i]);
        if (hr != S_OK) return hr;
        ++*processed;
    }
    return S_OK;
}

std::vector<ReceivedSample> CTestSinkPin::Samples() {
    CAutoLock lock(&m_samplesLock);
    return m_samples;
}

CTestSinkFilter::CTestSinkFilter(const SinkOptions& options)
    : CBaseFilter(L"CTestSinkFilter", nullptr, &m_lock, kTestSinkClsid),
      m_pin(new CTestSinkPin(this, &m_lock, options)) {}

CTestSinkFilter::~CTestSinkFilter() = default;

STDMETHODIMP CTestSinkFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IAMFilterMiscFlags) return GetInterface(static_cast<IAMFilterMiscFlags*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}
