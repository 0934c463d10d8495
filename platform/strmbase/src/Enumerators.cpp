#include "Enumerators.h"

#include <new>

CEnumPins::CEnumPins(CBaseFilter* filter, int position) : m_filter(filter), m_position(position) { m_filter->AddRef(); }

CEnumPins::~CEnumPins() { m_filter->Release(); }

STDMETHODIMP CEnumPins::Next(ULONG count, IPin** pins, ULONG* fetched) {
    if (!pins || (count > 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    CAutoLock lock(m_filter->pStateLock());
    while (n < count) {
        CBasePin* pin = m_filter->GetPin(m_position);
        if (!pin) break;
        ++m_position;
        pins[n] = pin;
        pin->AddRef();
        ++n;
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumPins::Skip(ULONG count) {
    CAutoLock lock(m_filter->pStateLock());
    int left = m_filter->GetPinCount() - m_position;
    if (static_cast<LONG>(count) > left) return S_FALSE;
    m_position += static_cast<int>(count);
    return S_OK;
}

STDMETHODIMP CEnumPins::Reset() {
    m_position = 0;
    return S_OK;
}

STDMETHODIMP CEnumPins::Clone(IEnumPins** clone) {
    if (!clone) return E_POINTER;
    *clone = new (std::nothrow) CEnumPins(m_filter, m_position);
    return *clone ? S_OK : E_OUTOFMEMORY;
}

CEnumMediaTypes::CEnumMediaTypes(CBasePin* pin, int position) : m_pin(pin), m_position(position) { m_pin->AddRef(); }

CEnumMediaTypes::~CEnumMediaTypes() { m_pin->Release(); }

STDMETHODIMP CEnumMediaTypes::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) {
    if (!types || (count > 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    while (n < count) {
        CMediaType type;
        if (m_pin->GetMediaType(m_position, &type) != S_OK) break;
        AM_MEDIA_TYPE* copy = CreateMediaType(&type);
        if (!copy) break;
        ++m_position;
        types[n++] = copy;
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumMediaTypes::Skip(ULONG count) {
    while (count > 0) {
        CMediaType type;
        if (m_pin->GetMediaType(m_position, &type) != S_OK) return S_FALSE;
        ++m_position;
        --count;
    }
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Reset() {
    m_position = 0;
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Clone(IEnumMediaTypes** clone) {
    if (!clone) return E_POINTER;
    *clone = new (std::nothrow) CEnumMediaTypes(m_pin, m_position);
    return *clone ? S_OK : E_OUTOFMEMORY;
}
