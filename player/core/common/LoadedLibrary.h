// A DLL loaded from a full path for as long as this object lives.
#pragma once

#include <windows.h>

class CLoadedLibrary {
public:
    // Searches the DLL's own folder for what it imports, not the program's.
    explicit CLoadedLibrary(LPCWSTR path) : m_module(LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) {}
    ~CLoadedLibrary() {
        if (m_module) FreeLibrary(m_module);
    }
    CLoadedLibrary(const CLoadedLibrary&) = delete;
    CLoadedLibrary& operator=(const CLoadedLibrary&) = delete;

    // The export, as the function type F; null when the DLL or the export is missing.
    template <class F>
    F Find(LPCSTR name) const {
        return m_module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m_module, name))) : nullptr;
    }

private:
    HMODULE m_module;
};
