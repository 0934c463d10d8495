// A string property bag (IPropertyBag, IPropertyBag2, IDSMPropertyBag): ordered
// key/value pairs, keys compared exactly. The owning object supplies IUnknown.
#pragma once

#include "SplitterInterfaces.h"

#include <string>
#include <utility>
#include <vector>

class IDSMPropertyBagImpl : public IDSMPropertyBag, public IPropertyBag {
public:
    virtual ~IDSMPropertyBagImpl() = default;

    // IPropertyBag
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;
    // IPropertyBag2
    STDMETHODIMP Read(ULONG count, PROPBAG2* properties, IErrorLog* log, VARIANT* values, HRESULT* results) override;
    STDMETHODIMP Write(ULONG count, PROPBAG2* properties, VARIANT* values) override;
    STDMETHODIMP CountProperties(ULONG* count) override;
    STDMETHODIMP GetPropertyInfo(ULONG first, ULONG count, PROPBAG2* properties, ULONG* found) override;
    STDMETHODIMP LoadObject(LPCOLESTR name, DWORD hint, IUnknown* object, IErrorLog* log) override;
    // IDSMPropertyBag
    STDMETHODIMP SetPropertyVariant(LPCWSTR key, VARIANT* value) override;
    STDMETHODIMP SetPropertyText(LPCWSTR key, LPCWSTR value) override;
    STDMETHODIMP GetPropertyText(LPCWSTR key, BSTR* value) override;
    STDMETHODIMP RemoveAllProperties() override;
    STDMETHODIMP RemoveProperty(LPCWSTR key) override;

private:
    const std::wstring* Find(LPCWSTR key) const;

    std::vector<std::pair<std::wstring, std::wstring>> m_properties;
};
