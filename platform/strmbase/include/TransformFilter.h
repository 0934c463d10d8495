// CTransformFilter: a filter with one input and one output pin whose samples it turns
// into others (a decoder). The derived filter checks the types, sizes the output
// buffers and transforms each input sample into as many output samples as it makes;
// the base keeps the streaming, flushing and end-of-stream order and passes seeking
// upstream.
#pragma once

#include "BaseInputPin.h"
#include "BaseOutputPin.h"
#include "ComRef.h"
#include "SeekingPassThrough.h"

#include <memory>

class CTransformFilter;

class CTransformInputPin : public CBaseInputPin {
public:
    CTransformInputPin(CTransformFilter* filter, HRESULT* result);

    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT SetMediaType(const CMediaType* type) override;
    HRESULT BreakConnect() override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    const CMediaType& CurrentMediaType() const { return m_mt; }

private:
    CTransformFilter* m_pTransform;
};

class CTransformOutputPin : public CBaseOutputPin {
public:
    CTransformOutputPin(CTransformFilter* filter, HRESULT* result);

    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    HRESULT CheckConnect(IPin* pin) override;
    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT GetMediaType(int index, CMediaType* type) override;
    HRESULT SetMediaType(const CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) override;

    const CMediaType& CurrentMediaType() const { return m_mt; }
    // Takes a type the downstream pin attached to a buffer it handed out.
    void AdoptMediaType(const AM_MEDIA_TYPE& type) { m_mt = type; }

private:
    CTransformFilter* m_pTransform;
    CSeekingPassThrough m_seeking;
};

class CTransformFilter : public CBaseFilter {
public:
    CTransformFilter(LPCWSTR name, LPUNKNOWN owner, REFCLSID clsid);
    ~CTransformFilter() override;

    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int index) override;
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;

    // Types: what the input takes, what the output offers for the connected input,
    // and whether an output type fits the input type.
    virtual HRESULT CheckInputType(const CMediaType* input) = 0;
    virtual HRESULT GetOutputType(int index, CMediaType* output) = 0;
    virtual HRESULT CheckTransform(const CMediaType* input, const CMediaType* output) = 0;
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) = 0;
    virtual HRESULT SetInputType(const CMediaType*) { return S_OK; }
    virtual HRESULT SetOutputType(const CMediaType*) { return S_OK; }
    virtual void BreakInput() {}

    // Streaming, all called with the streaming lock held: before the first sample of
    // a run, after the last, for each sample, on flushing, and at the end of the stream
    // (to give out what the transform still holds).
    virtual HRESULT StartStreaming() { return S_OK; }
    virtual void StopStreaming() {}
    virtual HRESULT Transform(IMediaSample* input) = 0;
    virtual void Flush() {}
    virtual void Drain() {}
    virtual void NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) {}

protected:
    // An empty output buffer (adopting a type downstream attached to it) and its delivery.
    HRESULT GetDeliveryBuffer(CComRef<IMediaSample>& sample);
    HRESULT Deliver(IMediaSample* sample);

    friend class CTransformInputPin;
    friend class CTransformOutputPin;

    CCritSec m_csFilter;
    CCritSec m_csReceive;  // held while a sample or an end of stream is handled
    std::unique_ptr<CTransformInputPin> m_pInput;
    std::unique_ptr<CTransformOutputPin> m_pOutput;
    bool m_bStreaming = false;
};
