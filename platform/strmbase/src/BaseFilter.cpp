#include "BaseFilter.h"

#include "BasePin.h"
#include "Enumerators.h"

#include <new>

CBaseFilter::CBaseFilter(LPCWSTR name, LPUNKNOWN owner, CCritSec* lock, REFCLSID clsid)
    : CUnknown(name, owner), m_clsid(clsid), m_pLock(lock) {}

CBaseFilter::~CBaseFilter() {
    if (m_pClock) m_pClock->Release();
}

STDMETHODIMP CBaseFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IBaseFilter || riid == IID_IMediaFilter || riid == IID_IPersist)
        return GetInterface(static_cast<IBaseFilter*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBaseFilter::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = m_clsid;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Stop() {
    CAutoLock lock(m_pLock);
    HRESULT result = S_OK;
    if (m_State != State_Stopped) {
        for (int i = 0, n = GetPinCount(); i < n; ++i) {
            CBasePin* pin = GetPin(i);
            if (pin && pin->IsConnected()) {
                HRESULT hr = pin->Inactive();
                if (FAILED(hr) && SUCCEEDED(result)) result = hr;
            }
        }
    }
    m_State = State_Stopped;
    return result;
}

STDMETHODIMP CBaseFilter::Pause() {
    CAutoLock lock(m_pLock);
    if (m_State == State_Stopped) {
        for (int i = 0, n = GetPinCount(); i < n; ++i) {
            CBasePin* pin = GetPin(i);
            if (pin && pin->IsConnected()) {
                HRESULT hr = pin->Active();
                if (FAILED(hr)) return hr;
            }
        }
    }
    m_State = State_Paused;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Run(REFERENCE_TIME start) {
    CAutoLock lock(m_pLock);
    m_tStart = start;
    if (m_State == State_Stopped) {
        HRESULT hr = Pause();
        if (FAILED(hr)) return hr;
    }
    if (m_State != State_Running) {
        for (int i = 0, n = GetPinCount(); i < n; ++i) {
            CBasePin* pin = GetPin(i);
            if (pin && pin->IsConnected()) {
                HRESULT hr = pin->Run(start);
                if (FAILED(hr)) return hr;
            }
        }
    }
    m_State = State_Running;
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetState(DWORD, FILTER_STATE* state) {
    if (!state) return E_POINTER;
    *state = m_State;
    return S_OK;
}

STDMETHODIMP CBaseFilter::SetSyncSource(IReferenceClock* clock) {
    CAutoLock lock(m_pLock);
    if (clock) clock->AddRef();
    if (m_pClock) m_pClock->Release();
    m_pClock = clock;
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetSyncSource(IReferenceClock** clock) {
    if (!clock) return E_POINTER;
    CAutoLock lock(m_pLock);
    *clock = m_pClock;
    if (m_pClock) m_pClock->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseFilter::EnumPins(IEnumPins** pins) {
    if (!pins) return E_POINTER;
    *pins = new (std::nothrow) CEnumPins(this, 0);
    return *pins ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CBaseFilter::FindPin(LPCWSTR id, IPin** pin) {
    if (!id || !pin) return E_POINTER;
    CAutoLock lock(m_pLock);
    for (int i = 0, n = GetPinCount(); i < n; ++i) {
        CBasePin* candidate = GetPin(i);
        if (candidate && lstrcmpW(candidate->Name(), id) == 0) {
            *pin = candidate;
            candidate->AddRef();
            return S_OK;
        }
    }
    *pin = nullptr;
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP CBaseFilter::QueryFilterInfo(FILTER_INFO* info) {
    if (!info) return E_POINTER;
    lstrcpynW(info->achName, m_graphName.c_str(), MAX_FILTER_NAME);
    info->pGraph = m_pGraph;
    if (m_pGraph) m_pGraph->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    CAutoLock lock(m_pLock);
    m_pGraph = graph;
    m_pSink = nullptr;
    if (graph && SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&m_pSink))))
        m_pSink->Release();  // a weak reference, like the graph's
    m_graphName = name ? name : L"";
    return S_OK;
}

STDMETHODIMP CBaseFilter::QueryVendorInfo(LPWSTR*) { return E_NOTIMPL; }

HRESULT CBaseFilter::NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2) {
    if (!m_pSink) return E_NOTIMPL;
    return m_pSink->Notify(code, param1, param2);
}
