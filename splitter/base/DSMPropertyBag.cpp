#include "DSMPropertyBag.h"

#include "TaskString.h"

#include <algorithm>

const std::wstring* IDSMPropertyBagImpl::Find(LPCWSTR key) const {
    for (const auto& pair : m_properties)
        if (pair.first == key) return &pair.second;
    return nullptr;
}

STDMETHODIMP IDSMPropertyBagImpl::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!value) return E_POINTER;
    if (value->vt != VT_EMPTY) return E_INVALIDARG;
    const std::wstring* text = name ? Find(name) : nullptr;
    if (!text || text->empty()) return E_FAIL;
    BSTR copy = SysAllocStringLen(text->c_str(), static_cast<UINT>(text->size()));
    if (!copy) return E_OUTOFMEMORY;
    value->vt = VT_BSTR;
    value->bstrVal = copy;
    return S_OK;
}

STDMETHODIMP IDSMPropertyBagImpl::Write(LPCOLESTR name, VARIANT* value) { return SetPropertyVariant(name, value); }

STDMETHODIMP IDSMPropertyBagImpl::Read(ULONG count, PROPBAG2* properties, IErrorLog*, VARIANT* values,
                                       HRESULT* results) {
    if (!properties || !values || !results) return E_POINTER;
    for (ULONG i = 0; i < count; ++i) {
        const std::wstring* text = properties[i].pstrName ? Find(properties[i].pstrName) : nullptr;
        VariantClear(&values[i]);
        values[i].vt = VT_BSTR;
        values[i].bstrVal =
            text ? SysAllocStringLen(text->c_str(), static_cast<UINT>(text->size())) : SysAllocString(L"");
        results[i] = values[i].bstrVal ? S_OK : E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP IDSMPropertyBagImpl::Write(ULONG count, PROPBAG2* properties, VARIANT* values) {
    if (!properties || !values) return E_POINTER;
    for (ULONG i = 0; i < count; ++i) SetPropertyVariant(properties[i].pstrName, &values[i]);
    return S_OK;
}

STDMETHODIMP IDSMPropertyBagImpl::CountProperties(ULONG* count) {
    if (!count) return E_POINTER;
    *count = static_cast<ULONG>(m_properties.size());
    return S_OK;
}

STDMETHODIMP IDSMPropertyBagImpl::GetPropertyInfo(ULONG first, ULONG count, PROPBAG2* properties, ULONG* found) {
    if (!properties || !found) return E_POINTER;
    // Names past the last pair are not returned and not counted.
    for (ULONG i = 0; i < count && first + i < m_properties.size(); ++i) {
        properties[i].pstrName = CopyToTaskString(m_properties[first + i].first);
        if (!properties[i].pstrName) return E_FAIL;
        ++*found;
    }
    return S_OK;
}

STDMETHODIMP IDSMPropertyBagImpl::LoadObject(LPCOLESTR, DWORD, IUnknown*, IErrorLog*) { return E_NOTIMPL; }

STDMETHODIMP IDSMPropertyBagImpl::SetPropertyVariant(LPCWSTR key, VARIANT* value) {
    if (!key || !value) return E_POINTER;
    if (value->vt != VT_BSTR) return E_INVALIDARG;
    return SetPropertyText(key, value->bstrVal ? value->bstrVal : L"");
}

STDMETHODIMP IDSMPropertyBagImpl::SetPropertyText(LPCWSTR key, LPCWSTR value) {
    if (!key || !value) return E_POINTER;
    for (auto& pair : m_properties) {
        if (pair.first == key) {
            pair.second = value;
            return S_OK;
        }
    }
    m_properties.emplace_back(key, value);
    return S_OK;
}

STDMETHODIMP IDSMPropertyBagImpl::GetPropertyText(LPCWSTR key, BSTR* value) {
    if (!key || !value) return E_POINTER;
    const std::wstring* text = Find(key);
    if (!text) return E_FAIL;
    *value = SysAllocStringLen(text->c_str(), static_cast<UINT>(text->size()));
    return *value ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP IDSMPropertyBagImpl::RemoveAllProperties() {
    m_properties.clear();
    return S_OK;
}

STDMETHODIMP IDSMPropertyBagImpl::RemoveProperty(LPCWSTR key) {
    if (!key) return E_POINTER;
    auto it = std::find_if(m_properties.begin(), m_properties.end(), [&](const auto& p) { return p.first == key; });
    if (it == m_properties.end()) return S_FALSE;
    m_properties.erase(it);
    return S_OK;
}
