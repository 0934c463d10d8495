#include "BaseInputPin.h"

#include <uuids.h>

CBaseInputPin::CBaseInputPin(LPCWSTR objectName, CBaseFilter* filter, CCritSec* lock, HRESULT* result, LPCWSTR pinName)
    : CBasePin(objectName, filter, lock, result, pinName, PINDIR_INPUT) {}

CBaseInputPin::~CBaseInputPin() { CBaseInputPin::BreakConnect(); }

STDMETHODIMP CBaseInputPin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IMemInputPin) return GetInterface(static_cast<IMemInputPin*>(this), ppv);
    return CBasePin::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBaseInputPin::BeginFlush() {
    CAutoLock lock(m_pLock);
    m_bFlushing = true;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::EndFlush() {
    CAutoLock lock(m_pLock);
    m_bFlushing = false;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::GetAllocator(IMemAllocator** allocator) {
    if (!allocator) return E_POINTER;
    CAutoLock lock(m_pLock);
    if (!m_pAllocator) {
        HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                      reinterpret_cast<void**>(&m_pAllocator));
        if (FAILED(hr)) return hr;
    }
    *allocator = m_pAllocator;
    m_pAllocator->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) {
    if (!allocator) return E_POINTER;
    CAutoLock lock(m_pLock);
    allocator->AddRef();
    if (m_pAllocator) m_pAllocator->Release();
    m_pAllocator = allocator;
    m_bReadOnly = readOnly != FALSE;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) { return E_NOTIMPL; }

HRESULT CBaseInputPin::CheckStreaming() {
    if (!IsConnected()) return VFW_E_NOT_CONNECTED;
    if (m_bFlushing) return S_FALSE;
    return m_pFilter->IsStopped() ? VFW_E_WRONG_STATE : S_OK;
}

STDMETHODIMP CBaseInputPin::Receive(IMediaSample* sample) {
    if (!sample) return E_POINTER;
    return CheckStreaming();
}

STDMETHODIMP CBaseInputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
    if (!samples || !processed) return E_POINTER;
    HRESULT hr = S_OK;
    *processed = 0;
    while (*processed < count) {
        hr = Receive(samples[*processed]);
        if (hr != S_OK) break;
        ++*processed;
    }
    return hr;
}

STDMETHODIMP CBaseInputPin::ReceiveCanBlock() { return S_OK; }

HRESULT CBaseInputPin::BreakConnect() {
    if (m_pAllocator) {
        m_pAllocator->Release();
        m_pAllocator = nullptr;
    }
    return S_OK;
}

HRESULT CBaseInputPin::Inactive() {
    m_bFlushing = false;
    return S_OK;
}
