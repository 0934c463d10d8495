// Reference counting and QueryInterface for a small object with one interface.
#pragma once

#include <windows.h>
#include <unknwn.h>

template <class Interface, const IID* InterfaceId>
class CComObject : public Interface {
public:
    virtual ~CComObject() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == *InterfaceId) {
            *ppv = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_ref)); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG ref = InterlockedDecrement(&m_ref);
        if (ref == 0) delete this;
        return static_cast<ULONG>(ref);
    }

private:
    volatile LONG m_ref = 1;
};
