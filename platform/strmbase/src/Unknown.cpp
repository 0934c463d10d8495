#include "Unknown.h"

namespace {
volatile LONG g_objectCount = 0;
}

CUnknown::CUnknown(LPCWSTR, LPUNKNOWN owner)
    : m_owner(owner ? owner : reinterpret_cast<LPUNKNOWN>(static_cast<INonDelegatingUnknown*>(this))) {
    InterlockedIncrement(&g_objectCount);
}

CUnknown::~CUnknown() { InterlockedDecrement(&g_objectCount); }

LONG CUnknown::ObjectCount() { return g_objectCount; }

HRESULT STDMETHODCALLTYPE CUnknown::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown)
        return GetInterface(reinterpret_cast<LPUNKNOWN>(static_cast<INonDelegatingUnknown*>(this)), ppv);
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CUnknown::NonDelegatingAddRef() { return InterlockedIncrement(&m_ref); }

ULONG STDMETHODCALLTYPE CUnknown::NonDelegatingRelease() {
    LONG ref = InterlockedDecrement(&m_ref);
    if (ref == 0) {
        // Guards against a re-entrant release from the destructor.
        m_ref = 1;
        delete this;
        return 0;
    }
    return static_cast<ULONG>(ref);
}

HRESULT GetInterface(LPUNKNOWN unknown, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = unknown;
    unknown->AddRef();
    return S_OK;
}
