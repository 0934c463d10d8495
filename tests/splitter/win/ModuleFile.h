// The built module XofSplitter.ax: its Windows path, the lock that orders the tests
// which change its registration, and the module loaded into the test process.
#pragma once

#include "dshow/RegistrationLock.h"

#include <windows.h>

#include <string>

std::wstring ModulePath();

class CLoadedModule {
public:
    CLoadedModule() : m_module(LoadLibraryW(ModulePath().c_str())) {}
    ~CLoadedModule() {
        if (m_module) FreeLibrary(m_module);
    }
    CLoadedModule(const CLoadedModule&) = delete;
    CLoadedModule& operator=(const CLoadedModule&) = delete;

    bool Loaded() const { return m_module != nullptr; }
    template <class F>
    F Export(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
    }
    HRESULT Register() const { return Export<HRESULT(WINAPI*)()>("DllRegisterServer")(); }
    HRESULT Unregister() const { return Export<HRESULT(WINAPI*)()>("DllUnregisterServer")(); }

private:
    HMODULE m_module;
};

// Runs a program of the prefix (regsvr32, reg) and returns its exit code; its
// standard output goes to output.
DWORD RunProgram(const std::wstring& commandLine, std::string* output = nullptr);
