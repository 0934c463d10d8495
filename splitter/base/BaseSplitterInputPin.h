// The splitter's input pin: it connects only to a pin that offers IAsyncReader and
// hands that reader to the filter.
#pragma once

#include "strmbase.h"

class CBaseSplitterFilter;

class CBaseSplitterInputPin : public CBasePin {
public:
    CBaseSplitterInputPin(LPCWSTR name, CBaseSplitterFilter* filter, CCritSec* lock, HRESULT* result);
    ~CBaseSplitterInputPin() override;

    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT CheckConnect(IPin* pin) override;
    HRESULT CompleteConnect(IPin* pin) override;
    HRESULT BreakConnect() override;

    STDMETHODIMP BeginFlush() override { return E_UNEXPECTED; }
    STDMETHODIMP EndFlush() override { return E_UNEXPECTED; }
    STDMETHODIMP EndOfStream() override { return S_OK; }

    // The upstream reader while connected (no reference added).
    IAsyncReader* GetAsyncReader() const { return m_reader.Get(); }

private:
    CBaseSplitterFilter* m_pSplitter;
    CComRef<IAsyncReader> m_reader;
};
