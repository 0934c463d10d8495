#include "FilterRegistration.h"

#include <uuids.h>

namespace {

// COM for the duration of a registration call, on whatever thread it runs.
class CComScope {
public:
    CComScope() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComScope() {
        if (SUCCEEDED(m_hr)) CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;

private:
    HRESULT m_hr;
};

class CRegKey {
public:
    ~CRegKey() {
        if (m_key) RegCloseKey(m_key);
    }
    LONG Create(HKEY parent, LPCWSTR path) {
        return RegCreateKeyExW(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
    }
    LONG SetText(LPCWSTR name, LPCWSTR value) {
        DWORD bytes = static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(WCHAR));
        return RegSetValueExW(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
    }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

HRESULT ResultOf(LONG error) { return error == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(error); }

HRESULT RegisterClassKeys(const CFactoryTemplate& t, LPCWSTR modulePath) {
    WCHAR clsid[64];
    StringFromGUID2(*t.m_ClsID, clsid, 64);
    WCHAR path[128];
    wsprintfW(path, L"CLSID\\%s", clsid);
    CRegKey classKey;
    LONG error = classKey.Create(HKEY_CLASSES_ROOT, path);
    if (error == ERROR_SUCCESS) error = classKey.SetText(nullptr, t.m_Name);
    CRegKey serverKey;
    if (error == ERROR_SUCCESS) error = serverKey.Create(classKey.Get(), L"InprocServer32");
    if (error == ERROR_SUCCESS) error = serverKey.SetText(nullptr, modulePath);
    if (error == ERROR_SUCCESS) error = serverKey.SetText(L"ThreadingModel", L"Both");
    return ResultOf(error);
}

HRESULT UnregisterClassKeys(const CFactoryTemplate& t) {
    WCHAR clsid[64];
    StringFromGUID2(*t.m_ClsID, clsid, 64);
    WCHAR path[128];
    wsprintfW(path, L"CLSID\\%s", clsid);
    LONG error = RegDeleteTreeW(HKEY_CLASSES_ROOT, path);
    return error == ERROR_FILE_NOT_FOUND ? S_OK : ResultOf(error);
}

HRESULT RegisterWithMapper(IFilterMapper2* mapper, const AMOVIESETUP_FILTER& setup, BOOL reg) {
    const CLSID& category = setup.category ? *setup.category : CLSID_LegacyAmFilterCategory;
    if (!reg) {
        HRESULT hr = mapper->UnregisterFilter(&category, nullptr, *setup.clsID);
        // Nothing registered is not a failure of unregistration.
        return (hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || hr == VFW_E_NOT_FOUND) ? S_OK : hr;
    }
    REGFILTER2 filter = {};
    filter.dwVersion = 1;
    filter.dwMerit = setup.dwMerit;
    filter.cPins = setup.nPins;
    filter.rgPins = setup.lpPin;
    return mapper->RegisterFilter(*setup.clsID, setup.strName, nullptr, &category, nullptr, &filter);
}

}  // namespace

HRESULT RegisterFilterTemplates(const CFactoryTemplate* templates, int count, BOOL reg) {
    WCHAR modulePath[MAX_PATH];
    if (!GetModuleFileNameW(GetModuleInstance(), modulePath, MAX_PATH)) return HRESULT_FROM_WIN32(GetLastError());
    CComScope com;
    IFilterMapper2* mapper = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                  reinterpret_cast<void**>(&mapper));
    if (FAILED(hr)) return hr;
    for (int i = 0; i < count && SUCCEEDED(hr); ++i) {
        const CFactoryTemplate& t = templates[i];
        if (!t.m_pAMovieSetup_Filter) continue;
        if (reg) {
            hr = RegisterClassKeys(t, modulePath);
            if (SUCCEEDED(hr)) hr = RegisterWithMapper(mapper, *t.m_pAMovieSetup_Filter, TRUE);
        } else {
            hr = RegisterWithMapper(mapper, *t.m_pAMovieSetup_Filter, FALSE);
            HRESULT keys = UnregisterClassKeys(t);
            if (SUCCEEDED(hr)) hr = keys;
        }
    }
    mapper->Release();
    return hr;
}
