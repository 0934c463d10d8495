// CBasePin: IPin with media-type negotiation, connection and flushing hooks. Its
// references are the filter's: a pin lives as long as its filter.
#pragma once

#include "BaseFilter.h"

class CBasePin : public CUnknown, public IPin, public IQualityControl {
public:
    CBasePin(LPCWSTR objectName, CBaseFilter* filter, CCritSec* lock, HRESULT* result, LPCWSTR pinName,
             PIN_DIRECTION direction);
    ~CBasePin() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) NonDelegatingAddRef() override;
    STDMETHODIMP_(ULONG) NonDelegatingRelease() override;

    // IPin
    STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
    STDMETHODIMP QueryId(LPWSTR* id) override;
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
    STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override = 0;
    STDMETHODIMP EndFlush() override = 0;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;
    // IQualityControl
    STDMETHODIMP Notify(IBaseFilter* sender, Quality quality) override;
    STDMETHODIMP SetSink(IQualityControl* sink) override;

    // Hooks for the derived pins.
    virtual HRESULT CheckMediaType(const CMediaType* type) = 0;
    virtual HRESULT GetMediaType(int index, CMediaType* type);
    virtual HRESULT SetMediaType(const CMediaType* type);
    virtual HRESULT CheckConnect(IPin* pin);
    virtual HRESULT CompleteConnect(IPin* receivePin);
    virtual HRESULT BreakConnect();
    virtual HRESULT Active() { return S_OK; }
    virtual HRESULT Inactive() { return S_OK; }
    virtual HRESULT Run(REFERENCE_TIME) { return S_OK; }

    BOOL IsConnected() const { return m_Connected != nullptr; }
    // The connected pin (no reference added), or null.
    IPin* GetConnected() const { return m_Connected; }
    LPCWSTR Name() const { return m_name.c_str(); }
    CBaseFilter* Filter() const { return m_pFilter; }
    REFERENCE_TIME CurrentStopTime() const { return m_tStop; }

protected:
    // A new connection needs an unconnected pin of a stopped filter.
    HRESULT CanConnect() const;
    HRESULT AgreeMediaType(IPin* receivePin, const CMediaType* type);
    // peerFailed: set when the receiving pin refused for a reason other than the type.
    HRESULT AttemptConnection(IPin* receivePin, const CMediaType* type, bool* peerFailed = nullptr);
    HRESULT TryMediaTypes(IPin* receivePin, const CMediaType* partial, IEnumMediaTypes* types, bool* peerFailed);

    CBaseFilter* m_pFilter;
    CCritSec* m_pLock;
    std::wstring m_name;
    PIN_DIRECTION m_dir;
    IPin* m_Connected = nullptr;
    CMediaType m_mt;
    REFERENCE_TIME m_tStart = 0;
    REFERENCE_TIME m_tStop = MAXLONGLONG;
    double m_dRate = 1.0;
    IQualityControl* m_pQSink = nullptr;
};
