// CBaseOutputPin: an output pin that delivers media samples through the downstream
// pin's IMemInputPin and an allocator agreed at connection time.
#pragma once

#include "BasePin.h"

class CBaseOutputPin : public CBasePin {
public:
    CBaseOutputPin(LPCWSTR objectName, CBaseFilter* filter, CCritSec* lock, HRESULT* result, LPCWSTR pinName);
    ~CBaseOutputPin() override;

    HRESULT CheckConnect(IPin* pin) override;
    HRESULT CompleteConnect(IPin* receivePin) override;
    HRESULT BreakConnect() override;
    HRESULT Active() override;
    HRESULT Inactive() override;

    // An output pin receives no data from upstream.
    STDMETHODIMP EndOfStream() override { return E_UNEXPECTED; }
    STDMETHODIMP BeginFlush() override { return E_UNEXPECTED; }
    STDMETHODIMP EndFlush() override { return E_UNEXPECTED; }

    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) = 0;
    virtual HRESULT DecideAllocator(IMemInputPin* pin, IMemAllocator** allocator);
    virtual HRESULT GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags);
    virtual HRESULT Deliver(IMediaSample* sample);
    virtual HRESULT DeliverEndOfStream();
    virtual HRESULT DeliverBeginFlush();
    virtual HRESULT DeliverEndFlush();
    virtual HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

    IMemAllocator* Allocator() const { return m_pAllocator; }

protected:
    IMemAllocator* m_pAllocator = nullptr;
    IMemInputPin* m_pInputPin = nullptr;
};
