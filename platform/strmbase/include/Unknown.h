// COM object base: a non-delegating IUnknown with aggregation support and a
// module-wide count of live objects (for DllCanUnloadNow).
#pragma once

#include <windows.h>
#include <unknwn.h>

struct INonDelegatingUnknown {
    virtual HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID riid, void** ppv) = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingAddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingRelease() = 0;
};

class CUnknown : public INonDelegatingUnknown {
public:
    // owner: the aggregating object, or null for a stand-alone object.
    CUnknown(LPCWSTR name, LPUNKNOWN owner);
    virtual ~CUnknown();
    CUnknown(const CUnknown&) = delete;
    CUnknown& operator=(const CUnknown&) = delete;

    // The IUnknown that every interface of this object forwards to.
    LPUNKNOWN GetOwner() const { return m_owner; }

    HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE NonDelegatingAddRef() override;
    ULONG STDMETHODCALLTYPE NonDelegatingRelease() override;

    // Live CUnknown objects in this module.
    static LONG ObjectCount();

protected:
    volatile LONG m_ref = 0;

private:
    LPUNKNOWN m_owner;
};

// Hands out an interface pointer with a reference added.
HRESULT GetInterface(LPUNKNOWN unknown, void** ppv);

// The three IUnknown methods of an interface implemented by a CUnknown, forwarded
// to the object's owner.
#define DECLARE_IUNKNOWN                                                                                            \
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return GetOwner()->QueryInterface(riid, ppv); } \
    STDMETHODIMP_(ULONG) AddRef() override { return GetOwner()->AddRef(); }                                         \
    STDMETHODIMP_(ULONG) Release() override { return GetOwner()->Release(); }
