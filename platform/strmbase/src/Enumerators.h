// Enumerators over a filter's pins and a pin's media types. Both read live by index,
// so a pin list that changes during enumeration is never read through stale pointers.
#pragma once

#include "BasePin.h"
#include "ComObject.h"

class CEnumPins : public CComObject<IEnumPins, &IID_IEnumPins> {
public:
    CEnumPins(CBaseFilter* filter, int position);
    ~CEnumPins() override;

    STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumPins** clone) override;

private:
    CBaseFilter* m_filter;
    int m_position;
};

class CEnumMediaTypes : public CComObject<IEnumMediaTypes, &IID_IEnumMediaTypes> {
public:
    CEnumMediaTypes(CBasePin* pin, int position);
    ~CEnumMediaTypes() override;

    STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumMediaTypes** clone) override;

private:
    CBasePin* m_pin;
    int m_position;
};
