#include "DSMResourceBag.h"

#include <algorithm>

namespace {
// A BSTR copy into an optional output; false when it cannot be allocated.
bool CopyOut(const std::wstring& text, BSTR* out) {
    if (!out) return true;
    *out = SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
    return *out != nullptr;
}
}  // namespace

STDMETHODIMP_(DWORD) IDSMResourceBagImpl::GetResourceCount() { return static_cast<DWORD>(m_resources.size()); }

STDMETHODIMP IDSMResourceBagImpl::GetResource(DWORD index, BSTR* name, BSTR* description, BSTR* mime, BYTE** data,
                                              DWORD* length, DWORD_PTR* tag) {
    if (data && !length) return E_POINTER;
    if (index >= m_resources.size()) return E_INVALIDARG;
    const CDSMResource& r = m_resources[index];
    if (!CopyOut(r.name, name) || !CopyOut(r.description, description) || !CopyOut(r.mime, mime)) return E_OUTOFMEMORY;
    if (data) {
        *data = static_cast<BYTE*>(CoTaskMemAlloc(r.data.size() ? r.data.size() : 1));
        if (!*data) return E_OUTOFMEMORY;
        std::copy(r.data.begin(), r.data.end(), *data);
        *length = static_cast<DWORD>(r.data.size());
    }
    if (tag) *tag = r.tag;
    return S_OK;
}

STDMETHODIMP IDSMResourceBagImpl::SetResource(DWORD index, LPCWSTR name, LPCWSTR description, LPCWSTR mime,
                                              const BYTE* data, DWORD length, DWORD_PTR tag) {
    if (index >= m_resources.size()) return E_INVALIDARG;
    CDSMResource& r = m_resources[index];
    if (name) r.name = name;
    if (description) r.description = description;
    if (mime) r.mime = mime;
    if (data || length == 0) {
        r.data.resize(length);
        if (data) std::copy(data, data + length, r.data.begin());
    }
    r.tag = tag;
    return S_OK;
}

STDMETHODIMP IDSMResourceBagImpl::AppendResource(LPCWSTR name, LPCWSTR description, LPCWSTR mime, const BYTE* data,
                                                 DWORD length, DWORD_PTR tag) {
    m_resources.emplace_back();
    return SetResource(static_cast<DWORD>(m_resources.size() - 1), name, description, mime, data, length, tag);
}

STDMETHODIMP IDSMResourceBagImpl::RemoveResourceAt(DWORD index) {
    if (index >= m_resources.size()) return E_INVALIDARG;
    m_resources.erase(m_resources.begin() + index);
    return S_OK;
}

STDMETHODIMP IDSMResourceBagImpl::RemoveResources(DWORD_PTR tag) {
    if (tag == 0)
        m_resources.clear();
    else
        m_resources.erase(std::remove_if(m_resources.begin(), m_resources.end(),
                                         [tag](const CDSMResource& r) { return r.tag == tag; }),
                          m_resources.end());
    return S_OK;
}
