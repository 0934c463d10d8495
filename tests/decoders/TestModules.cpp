#include "TestModules.h"

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

}  // namespace

std::wstring MediaFile(const char* name) {
    return PrefixPath(TEST_MEDIA_DIR) + L"\\" + std::wstring(name, name + strlen(name)) + L".xof";
}

bool RegisterTestModules() {
    static const bool registered = [] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        bool ok = SUCCEEDED(RegisterModule(PrefixPath(SPLITTER_MODULE_PATH))) &&
                  SUCCEEDED(RegisterModule(PrefixPath(DECODERS_MODULE_PATH)));
        CoUninitialize();
        return ok;
    }();
    return registered;
}
