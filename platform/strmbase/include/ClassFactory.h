// Factory templates (one per creatable class of a filter module), the class factory
// built from them, the module entry helpers and the module's unload rule.
#pragma once

#include "ComObject.h"
#include "Unknown.h"
#include <strmif.h>
#include <vfwmsgs.h>

typedef CUnknown* (*LPFNNewCOMObject)(LPUNKNOWN owner, HRESULT* result);
typedef void (*LPFNInitRoutine)(BOOL loading, const CLSID* clsid);

// What the filter mapper is told about a filter.
typedef REGPINTYPES AMOVIESETUP_MEDIATYPE;
typedef REGFILTERPINS AMOVIESETUP_PIN;
struct AMOVIESETUP_FILTER {
    const CLSID* clsID;
    LPCWSTR strName;
    DWORD dwMerit;
    UINT nPins;
    const AMOVIESETUP_PIN* lpPin;
    const CLSID* category;
};

struct CFactoryTemplate {
    LPCWSTR m_Name;
    const CLSID* m_ClsID;
    LPFNNewCOMObject m_lpfnNew;
    LPFNInitRoutine m_lpfnInit;
    const AMOVIESETUP_FILTER* m_pAMovieSetup_Filter;
};

class CClassFactory : public CComObject<IClassFactory, &IID_IClassFactory> {
public:
    explicit CClassFactory(const CFactoryTemplate* factoryTemplate);
    ~CClassFactory() override;

    STDMETHODIMP CreateInstance(LPUNKNOWN outer, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    const CFactoryTemplate* m_template;
};

// DllGetClassObject over a template table.
HRESULT GetClassObjectFromTemplates(const CFactoryTemplate* templates, int count, REFCLSID clsid, REFIID riid,
                                    void** ppv);
// DllCanUnloadNow: S_FALSE while an object or a server lock is alive.
HRESULT CanUnloadModule();
// Module start-up and shutdown (process attach and detach of the module's DllMain).
void ModuleProcessAttach(HINSTANCE instance, const CFactoryTemplate* templates, int count);
void ModuleProcessDetach(const CFactoryTemplate* templates, int count);
HINSTANCE GetModuleInstance();
