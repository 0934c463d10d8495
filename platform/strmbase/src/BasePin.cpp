#include "BasePin.h"

#include "Enumerators.h"
#include "TaskString.h"

#include <new>

CBasePin::CBasePin(LPCWSTR objectName, CBaseFilter* filter, CCritSec* lock, HRESULT*, LPCWSTR pinName,
                   PIN_DIRECTION direction)
    : CUnknown(objectName, nullptr),
      m_pFilter(filter),
      m_pLock(lock),
      m_name(pinName ? pinName : L""),
      m_dir(direction) {}

CBasePin::~CBasePin() {
    if (m_Connected) m_Connected->Release();
}

STDMETHODIMP CBasePin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IPin) return GetInterface(static_cast<IPin*>(this), ppv);
    if (riid == IID_IQualityControl) return GetInterface(static_cast<IQualityControl*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) CBasePin::NonDelegatingAddRef() { return m_pFilter->AddRef(); }

STDMETHODIMP_(ULONG) CBasePin::NonDelegatingRelease() { return m_pFilter->Release(); }

HRESULT CBasePin::CanConnect() const {
    if (m_Connected) return VFW_E_ALREADY_CONNECTED;
    return m_pFilter->IsStopped() ? S_OK : VFW_E_NOT_STOPPED;
}

STDMETHODIMP CBasePin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) {
    if (!receivePin) return E_POINTER;
    CAutoLock lock(m_pLock);
    if (HRESULT hr = CanConnect(); FAILED(hr)) return hr;
    CMediaType partial;
    if (type)
        partial = *type;
    else
        partial.majortype = GUID_NULL;
    return AgreeMediaType(receivePin, &partial);
}

HRESULT CBasePin::AgreeMediaType(IPin* receivePin, const CMediaType* type) {
    // A complete type is tried as it is.
    if (type->majortype != GUID_NULL && type->subtype != GUID_NULL && type->formattype != GUID_NULL)
        return AttemptConnection(receivePin, type);
    HRESULT best = VFW_E_NO_ACCEPTABLE_TYPES;
    // The receiving pin's types first, then our own.
    for (int round = 0; round < 2; ++round) {
        IEnumMediaTypes* types = nullptr;
        HRESULT hr = round == 0 ? receivePin->EnumMediaTypes(&types) : EnumMediaTypes(&types);
        if (FAILED(hr) || !types) continue;
        bool peerFailed = false;
        hr = TryMediaTypes(receivePin, type, types, &peerFailed);
        types->Release();
        if (SUCCEEDED(hr) || peerFailed) return hr;
        if (hr != VFW_E_NO_ACCEPTABLE_TYPES) best = hr;
    }
    return best;
}

HRESULT CBasePin::TryMediaTypes(IPin* receivePin, const CMediaType* partial, IEnumMediaTypes* types, bool* peerFailed) {
    HRESULT best = VFW_E_NO_ACCEPTABLE_TYPES;
    // Bounded: an enumerator that never ends cannot hang the connection.
    for (int i = 0; i < 1000; ++i) {
        AM_MEDIA_TYPE* raw = nullptr;
        ULONG fetched = 0;
        if (types->Next(1, &raw, &fetched) != S_OK || fetched != 1 || !raw) break;
        CMediaType candidate(*raw);
        DeleteMediaType(raw);
        if (!candidate.MatchesPartial(partial)) continue;
        HRESULT hr = AttemptConnection(receivePin, &candidate, peerFailed);
        if (SUCCEEDED(hr) || *peerFailed) return hr;
        best = hr;
    }
    return best;
}

namespace {
// A receiving pin's answer that is about the offered type only: another type may do.
bool IsTypeRefusal(HRESULT hr) {
    return hr == S_FALSE || hr == E_FAIL || hr == VFW_E_TYPE_NOT_ACCEPTED || hr == VFW_E_INVALIDMEDIATYPE ||
           hr == VFW_E_NO_ACCEPTABLE_TYPES;
}
}  // namespace

HRESULT CBasePin::AttemptConnection(IPin* receivePin, const CMediaType* type, bool* peerFailed) {
    HRESULT hr = CheckConnect(receivePin);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    hr = CheckMediaType(type);
    if (hr != S_OK) {
        BreakConnect();
        return SUCCEEDED(hr) ? VFW_E_TYPE_NOT_ACCEPTED : hr;
    }
    hr = SetMediaType(type);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    m_Connected = receivePin;
    m_Connected->AddRef();
    hr = receivePin->ReceiveConnection(static_cast<IPin*>(this), type);
    if (SUCCEEDED(hr)) {
        hr = CompleteConnect(receivePin);
        if (SUCCEEDED(hr)) return S_OK;
        receivePin->Disconnect();
    } else if (peerFailed) {
        // A pin that failed for another reason is not asked again: some renderers are
        // left broken by a failed connection and crash on the next one.
        *peerFailed = !IsTypeRefusal(hr);
    }
    m_Connected->Release();
    m_Connected = nullptr;
    BreakConnect();
    return hr;
}

STDMETHODIMP CBasePin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
    if (!connector || !type) return E_POINTER;
    CAutoLock lock(m_pLock);
    if (HRESULT hr = CanConnect(); FAILED(hr)) return hr;
    HRESULT hr = CheckConnect(connector);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    CMediaType offered(*type);
    hr = CheckMediaType(&offered);
    if (hr != S_OK) {
        BreakConnect();
        return SUCCEEDED(hr) ? VFW_E_TYPE_NOT_ACCEPTED : hr;
    }
    m_Connected = connector;
    m_Connected->AddRef();
    hr = SetMediaType(&offered);
    if (SUCCEEDED(hr)) hr = CompleteConnect(connector);
    if (FAILED(hr)) {
        m_Connected->Release();
        m_Connected = nullptr;
        BreakConnect();
    }
    return hr;
}

STDMETHODIMP CBasePin::Disconnect() {
    CAutoLock lock(m_pLock);
    if (!m_pFilter->IsStopped()) return VFW_E_NOT_STOPPED;
    if (!m_Connected) return S_FALSE;
    HRESULT hr = BreakConnect();
    if (FAILED(hr)) return hr;
    m_Connected->Release();
    m_Connected = nullptr;
    m_mt = CMediaType();
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectedTo(IPin** pin) {
    if (!pin) return E_POINTER;
    // No lock: streaming threads ask while a caller holding the filter lock waits for
    // them, and the connection changes only while the filter is stopped.
    *pin = m_Connected;
    if (!m_Connected) return VFW_E_NOT_CONNECTED;
    m_Connected->AddRef();
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    CAutoLock lock(m_pLock);
    if (!m_Connected) {
        ZeroMemory(type, sizeof(*type));
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaType(type, &m_mt);
}

STDMETHODIMP CBasePin::QueryPinInfo(PIN_INFO* info) {
    if (!info) return E_POINTER;
    info->pFilter = m_pFilter;
    m_pFilter->AddRef();
    lstrcpynW(info->achName, m_name.c_str(), MAX_PIN_NAME);
    info->dir = m_dir;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryDirection(PIN_DIRECTION* direction) {
    if (!direction) return E_POINTER;
    *direction = m_dir;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryId(LPWSTR* id) {
    if (!id) return E_POINTER;
    *id = CopyToTaskString(m_name);
    return *id ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CBasePin::QueryAccept(const AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    CMediaType offered(*type);
    return CheckMediaType(&offered) == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP CBasePin::EnumMediaTypes(IEnumMediaTypes** types) {
    if (!types) return E_POINTER;
    *types = new (std::nothrow) CEnumMediaTypes(this, 0);
    return *types ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CBasePin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }

STDMETHODIMP CBasePin::EndOfStream() { return S_OK; }

STDMETHODIMP CBasePin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    m_tStart = start;
    m_tStop = stop;
    m_dRate = rate;
    return S_OK;
}

STDMETHODIMP CBasePin::Notify(IBaseFilter*, Quality) { return E_NOTIMPL; }

STDMETHODIMP CBasePin::SetSink(IQualityControl* sink) {
    m_pQSink = sink;
    return S_OK;
}

HRESULT CBasePin::GetMediaType(int, CMediaType*) { return E_UNEXPECTED; }

HRESULT CBasePin::SetMediaType(const CMediaType* type) {
    m_mt = *type;
    return S_OK;
}

HRESULT CBasePin::CheckConnect(IPin* pin) {
    PIN_DIRECTION other;
    HRESULT hr = pin->QueryDirection(&other);
    if (FAILED(hr)) return hr;
    return other == m_dir ? VFW_E_INVALID_DIRECTION : S_OK;
}

HRESULT CBasePin::CompleteConnect(IPin*) { return S_OK; }

HRESULT CBasePin::BreakConnect() { return S_OK; }
