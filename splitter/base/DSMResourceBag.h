// A bag of attached resources (IDSMResourceBag): named byte blobs with a MIME type
// and a caller's tag. The owning object supplies IUnknown.
#pragma once

#include "SplitterInterfaces.h"

#include <string>
#include <vector>

struct CDSMResource {
    DWORD_PTR tag = 0;
    std::wstring name;
    std::wstring description;
    std::wstring mime = L"application/octet-stream";
    std::vector<BYTE> data;
};

class IDSMResourceBagImpl : public IDSMResourceBag {
public:
    virtual ~IDSMResourceBagImpl() = default;

    STDMETHODIMP_(DWORD) GetResourceCount() override;
    STDMETHODIMP GetResource(DWORD index, BSTR* name, BSTR* description, BSTR* mime, BYTE** data, DWORD* length,
                             DWORD_PTR* tag) override;
    STDMETHODIMP SetResource(DWORD index, LPCWSTR name, LPCWSTR description, LPCWSTR mime, const BYTE* data,
                             DWORD length, DWORD_PTR tag) override;
    STDMETHODIMP AppendResource(LPCWSTR name, LPCWSTR description, LPCWSTR mime, const BYTE* data, DWORD length,
                                DWORD_PTR tag) override;
    STDMETHODIMP RemoveResourceAt(DWORD index) override;
    STDMETHODIMP RemoveResources(DWORD_PTR tag) override;

private:
    std::vector<CDSMResource> m_resources;
};
