#include "BaseOutputPin.h"

#include <uuids.h>

CBaseOutputPin::CBaseOutputPin(LPCWSTR objectName, CBaseFilter* filter, CCritSec* lock, HRESULT* result,
                               LPCWSTR pinName)
    : CBasePin(objectName, filter, lock, result, pinName, PINDIR_OUTPUT) {}

CBaseOutputPin::~CBaseOutputPin() { CBaseOutputPin::BreakConnect(); }

HRESULT CBaseOutputPin::CheckConnect(IPin* pin) {
    HRESULT hr = CBasePin::CheckConnect(pin);
    if (FAILED(hr)) return hr;
    if (m_pInputPin) {
        m_pInputPin->Release();
        m_pInputPin = nullptr;
    }
    if (FAILED(pin->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&m_pInputPin)))) return E_NOINTERFACE;
    return S_OK;
}

HRESULT CBaseOutputPin::CompleteConnect(IPin*) { return DecideAllocator(m_pInputPin, &m_pAllocator); }

HRESULT CBaseOutputPin::BreakConnect() {
    if (m_pAllocator) {
        m_pAllocator->Decommit();
        m_pAllocator->Release();
        m_pAllocator = nullptr;
    }
    if (m_pInputPin) {
        m_pInputPin->Release();
        m_pInputPin = nullptr;
    }
    return S_OK;
}

HRESULT CBaseOutputPin::DecideAllocator(IMemInputPin* pin, IMemAllocator** allocator) {
    if (!pin) return VFW_E_NOT_CONNECTED;
    ALLOCATOR_PROPERTIES wanted = {};
    pin->GetAllocatorRequirements(&wanted);
    if (wanted.cbAlign == 0) wanted.cbAlign = 1;
    *allocator = nullptr;
    // The downstream pin's allocator first, then a memory allocator of the system.
    HRESULT hr = pin->GetAllocator(allocator);
    if (SUCCEEDED(hr)) {
        ALLOCATOR_PROPERTIES properties = wanted;
        hr = DecideBufferSize(*allocator, &properties);
        if (SUCCEEDED(hr)) hr = pin->NotifyAllocator(*allocator, FALSE);
        if (SUCCEEDED(hr)) return S_OK;
        (*allocator)->Release();
        *allocator = nullptr;
    }
    hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                          reinterpret_cast<void**>(allocator));
    if (FAILED(hr)) return hr;
    ALLOCATOR_PROPERTIES properties = wanted;
    hr = DecideBufferSize(*allocator, &properties);
    if (SUCCEEDED(hr)) hr = pin->NotifyAllocator(*allocator, FALSE);
    if (FAILED(hr)) {
        (*allocator)->Release();
        *allocator = nullptr;
    }
    return hr;
}

HRESULT CBaseOutputPin::Active() {
    if (!m_pAllocator) return VFW_E_NO_ALLOCATOR;
    return m_pAllocator->Commit();
}

HRESULT CBaseOutputPin::Inactive() {
    if (!m_pAllocator) return VFW_E_NO_ALLOCATOR;
    return m_pAllocator->Decommit();
}

HRESULT CBaseOutputPin::GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop,
                                          DWORD flags) {
    if (!m_pAllocator) return E_NOINTERFACE;
    return m_pAllocator->GetBuffer(sample, start, stop, flags);
}

HRESULT CBaseOutputPin::Deliver(IMediaSample* sample) {
    if (!m_pInputPin) return VFW_E_NOT_CONNECTED;
    return m_pInputPin->Receive(sample);
}

HRESULT CBaseOutputPin::DeliverEndOfStream() {
    if (!m_Connected) return VFW_E_NOT_CONNECTED;
    return m_Connected->EndOfStream();
}

HRESULT CBaseOutputPin::DeliverBeginFlush() {
    if (!m_Connected) return VFW_E_NOT_CONNECTED;
    return m_Connected->BeginFlush();
}

HRESULT CBaseOutputPin::DeliverEndFlush() {
    if (!m_Connected) return VFW_E_NOT_CONNECTED;
    return m_Connected->EndFlush();
}

HRESULT CBaseOutputPin::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    if (!m_Connected) return VFW_E_NOT_CONNECTED;
    return m_Connected->NewSegment(start, stop, rate);
}
