// The module XofSplitter.ax: its factory templates, registration and COM entry points.
#include "FilterApp.h"
#include "XofGuids.h"
#include "XofRegistry.h"
#include "XofSplitterFilter.h"

#include <olectl.h>
#include <uuids.h>

#include <new>

namespace {

template <class Filter>
CUnknown* CreateFilter(LPUNKNOWN owner, HRESULT* result) {
    *result = S_OK;
    Filter* filter = new (std::nothrow) Filter(owner, result);
    if (!filter) *result = E_OUTOFMEMORY;
    return filter;
}

const AMOVIESETUP_MEDIATYPE kInputTypes[] = {
    {&MEDIATYPE_Stream, &MEDIASUBTYPE_XOF},
    {&MEDIATYPE_Stream, &GUID_NULL},
};

const AMOVIESETUP_PIN kSplitterPins[] = {
    {const_cast<LPWSTR>(L"Input"), FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 2, kInputTypes},
    {const_cast<LPWSTR>(L"Output"), FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 0, nullptr},
};

const AMOVIESETUP_FILTER kSplitterSetup = {&CLSID_XofSplitter, L"Zemovista - Xof Splitter (Tove)", MERIT_NORMAL, 2,
                                           kSplitterPins,      &CLSID_LegacyAmFilterCategory};
const AMOVIESETUP_FILTER kSourceSetup = {&CLSID_XofSource, L"Zemovista - Xof Source (Tove)", MERIT_NORMAL, 0,
                                         nullptr,          &CLSID_LegacyAmFilterCategory};

const CFactoryTemplate kTemplates[] = {
    {L"Zemovista - Xof Splitter (Tove)", &CLSID_XofSplitter, &CreateFilter<CXofSplitterFilter>, nullptr,
     &kSplitterSetup},
    {L"Zemovista - Xof Source (Tove)", &CLSID_XofSource, &CreateFilter<CXofSourceFilter>, nullptr, &kSourceSetup},
};
constexpr int kTemplateCount = sizeof(kTemplates) / sizeof(kTemplates[0]);

// "FLV" and version 1 at offset 0.
const wchar_t kCheckBytes[] = L"0,4,,464C5601";

CFilterApp theApp(kTemplates, kTemplateCount);

}  // namespace

extern "C" {

// The application object starts with the module and ends with it.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) return AfxWinInit(instance, nullptr, nullptr, 0) && theApp.InitInstance();
    if (reason == DLL_PROCESS_DETACH) {
        theApp.ExitInstance();
        AfxWinTerm();
    }
    return TRUE;
}

STDAPI DllRegisterServer() {
    DeleteRegistryKey(L"Media Type\\Extensions\\", L".xof");
    // Without its check bytes the container would never reach the splitter.
    if (!RegisterSourceFilterType(CLSID_AsyncReader, MEDIASUBTYPE_XOF, kCheckBytes, {})) return SELFREG_E_CLASS;
    return RegisterFilterTemplates(kTemplates, kTemplateCount, TRUE);
}

STDAPI DllUnregisterServer() {
    UnregisterSourceFilterType(MEDIASUBTYPE_XOF);
    return RegisterFilterTemplates(kTemplates, kTemplateCount, FALSE);
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    return GetClassObjectFromTemplates(kTemplates, kTemplateCount, clsid, riid, ppv);
}

STDAPI DllCanUnloadNow() { return CanUnloadModule(); }

}  // extern "C"
