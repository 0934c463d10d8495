#include "TestModules.h"

#include <dshow.h>

namespace {

HRESULT RegisterModule(const std::wstring& path) {
    HMODULE module = LoadLibraryW(path.c_str());
    if (!module) return HRESULT_FROM_WIN32(GetLastError());
    auto reg =
        reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    HRESULT hr = reg ? reg() : E_NOINTERFACE;
    FreeLibrary(module);
    return hr;
}

#ifdef _WIN64
// The 64-bit prefix renders video with the mixing renderers (the default renderer is
// one of them), which connect to RGB video but show nothing here (no GL), and leaves
// the GDI renderer out of the filter category. The test prefix takes those out and
// puts the GDI renderer in, so the graph renders as in the 32-bit prefix.
void LeaveTheGdiVideoRendererToTheGraph() {
    IFilterMapper2* mapper = nullptr;
    if (FAILED(
            CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2, (void**)&mapper)))
        return;
    for (const CLSID* mixing : {&CLSID_VideoRendererDefault, &CLSID_VideoMixingRenderer, &CLSID_VideoMixingRenderer9})
        mapper->UnregisterFilter(&CLSID_LegacyAmFilterCategory, nullptr, *mixing);
    REGPINTYPES video = {&MEDIATYPE_Video, &MEDIASUBTYPE_NULL};
    REGFILTERPINS pin = {nullptr, TRUE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, &video};
    REGFILTER2 filter = {};
    filter.dwVersion = 1;
    filter.dwMerit = MERIT_PREFERRED;
    filter.cPins = 1;
    filter.rgPins = &pin;
    mapper->RegisterFilter(CLSID_VideoRenderer, L"Video Renderer", nullptr, &CLSID_LegacyAmFilterCategory, nullptr,
                           &filter);
    mapper->Release();
}
#endif

}  // namespace

std::wstring MediaFile(const char* name) {
    return PrefixPath(TEST_MEDIA_DIR) + L"\\" + std::wstring(name, name + strlen(name)) + L".xof";
}

bool RegisterTestModules() {
    static const bool registered = [] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        bool ok = SUCCEEDED(RegisterModule(PrefixPath(SPLITTER_MODULE_PATH))) &&
                  SUCCEEDED(RegisterModule(PrefixPath(DECODERS_MODULE_PATH)));
#ifdef _WIN64
        LeaveTheGdiVideoRendererToTheGraph();
#endif
        CoUninitialize();
        return ok;
    }();
    return registered;
}
