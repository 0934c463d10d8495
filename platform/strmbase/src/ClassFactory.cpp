#include "ClassFactory.h"

#include <new>

namespace {
volatile LONG g_serverLocks = 0;
// Class factories count as live objects of the module too.
volatile LONG g_factoryCount = 0;
HINSTANCE g_instance = nullptr;

void CallInitRoutines(const CFactoryTemplate* templates, int count, BOOL loading) {
    for (int i = 0; i < count; ++i) {
        if (templates[i].m_lpfnInit) templates[i].m_lpfnInit(loading, templates[i].m_ClsID);
    }
}
}  // namespace

CClassFactory::CClassFactory(const CFactoryTemplate* factoryTemplate) : m_template(factoryTemplate) {
    InterlockedIncrement(&g_factoryCount);
}

CClassFactory::~CClassFactory() { InterlockedDecrement(&g_factoryCount); }

STDMETHODIMP CClassFactory::CreateInstance(LPUNKNOWN outer, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    // An aggregating caller may only ask for the inner IUnknown.
    if (outer && riid != IID_IUnknown) return E_NOINTERFACE;
    HRESULT hr = S_OK;
    CUnknown* object = m_template->m_lpfnNew(outer, &hr);
    if (!object) return FAILED(hr) ? hr : E_OUTOFMEMORY;
    if (FAILED(hr)) {
        delete object;
        return hr;
    }
    object->NonDelegatingAddRef();
    hr = object->NonDelegatingQueryInterface(riid, ppv);
    object->NonDelegatingRelease();
    return hr;
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock) {
    if (lock)
        InterlockedIncrement(&g_serverLocks);
    else
        InterlockedDecrement(&g_serverLocks);
    return S_OK;
}

HRESULT GetClassObjectFromTemplates(const CFactoryTemplate* templates, int count, REFCLSID clsid, REFIID riid,
                                    void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IClassFactory && riid != IID_IUnknown) return E_NOINTERFACE;
    for (int i = 0; i < count; ++i) {
        if (*templates[i].m_ClsID != clsid) continue;
        CClassFactory* factory = new (std::nothrow) CClassFactory(&templates[i]);
        if (!factory) return E_OUTOFMEMORY;
        *ppv = static_cast<IClassFactory*>(factory);
        return S_OK;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CanUnloadModule() {
    return (CUnknown::ObjectCount() > 0 || g_factoryCount > 0 || g_serverLocks > 0) ? S_FALSE : S_OK;
}

void ModuleProcessAttach(HINSTANCE instance, const CFactoryTemplate* templates, int count) {
    DisableThreadLibraryCalls(instance);
    HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);
    g_instance = instance;
    CallInitRoutines(templates, count, TRUE);
}

void ModuleProcessDetach(const CFactoryTemplate* templates, int count) {
    CallInitRoutines(templates, count, FALSE);
    g_instance = nullptr;
}

HINSTANCE GetModuleInstance() { return g_instance; }
