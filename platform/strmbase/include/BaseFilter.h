// CBaseFilter: IBaseFilter with the stopped/paused/running states, the graph it has
// joined and pin enumeration; the format filter supplies its pins.
#pragma once

#include "MediaType.h"
#include "Sync.h"
#include "Unknown.h"

#include <string>

class CBasePin;

class CBaseFilter : public CUnknown, public IBaseFilter {
public:
    CBaseFilter(LPCWSTR name, LPUNKNOWN owner, CCritSec* lock, REFCLSID clsid);
    ~CBaseFilter() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IPersist
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    // IMediaFilter
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    STDMETHODIMP GetState(DWORD timeout, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;
    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** pins) override;
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* info) override;

    virtual int GetPinCount() = 0;
    // The pin at an index (no reference added), or null.
    virtual CBasePin* GetPin(int index) = 0;

    bool IsStopped() const { return m_State == State_Stopped; }
    CCritSec* pStateLock() const { return m_pLock; }
    // Sends an event to the graph's event sink, when the filter is in a graph.
    HRESULT NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2);

protected:
    FILTER_STATE m_State = State_Stopped;
    REFERENCE_TIME m_tStart = 0;
    IReferenceClock* m_pClock = nullptr;
    CLSID m_clsid;
    CCritSec* m_pLock;
    // The graph holds the filter, so the filter does not hold the graph.
    IFilterGraph* m_pGraph = nullptr;
    IMediaEventSink* m_pSink = nullptr;
    std::wstring m_graphName;
};
