#include "BaseSplitterInputPin.h"

#include "BaseSplitterFilter.h"

CBaseSplitterInputPin::CBaseSplitterInputPin(LPCWSTR name, CBaseSplitterFilter* filter, CCritSec* lock, HRESULT* result)
    : CBasePin(L"CBaseSplitterInputPin", filter, lock, result, name, PINDIR_INPUT), m_pSplitter(filter) {}

CBaseSplitterInputPin::~CBaseSplitterInputPin() = default;

HRESULT CBaseSplitterInputPin::CheckMediaType(const CMediaType*) { return S_OK; }

HRESULT CBaseSplitterInputPin::CheckConnect(IPin* pin) {
    HRESULT hr = CBasePin::CheckConnect(pin);
    if (FAILED(hr)) return hr;
    CComRef<IAsyncReader> reader;
    return SUCCEEDED(reader.QueryFrom(pin, IID_IAsyncReader)) ? S_OK : E_NOINTERFACE;
}

HRESULT CBaseSplitterInputPin::CompleteConnect(IPin* pin) {
    HRESULT hr = CBasePin::CompleteConnect(pin);
    if (FAILED(hr)) return hr;
    if (!pin) return E_POINTER;
    if (FAILED(m_reader.QueryFrom(pin, IID_IAsyncReader))) return E_NOINTERFACE;
    return m_pSplitter->CompleteInputConnection(this);
}

HRESULT CBaseSplitterInputPin::BreakConnect() {
    HRESULT hr = CBasePin::BreakConnect();
    if (FAILED(hr)) return hr;
    m_pSplitter->BreakInputConnection();
    m_reader.Reset();
    return S_OK;
}
