// The interface library's one export.
#include "MendportInterface.h"

#include <windows.h>

#include "FailedInstall.h"
#include "UpdateService.h"

namespace {

// Whole check, over every server: the caller's start-up waits for it.
constexpr DWORD kCheckDeadlineMs = 5000;

// "<folder of this library>\Update\Mendport\": the library lies in the program folder.
std::wstring ClientFolder() {
    HMODULE self = nullptr;
    wchar_t path[MAX_PATH] = {};
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&MendportPatch), &self))
        return std::wstring();
    DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"Update\\Mendport\\";
}

}  // namespace

extern "C" int MendportPatch(const char* appName, const MENDPORT_SERVER* servers, int count, IMendportEvent* sink,
                             int /*reserved1*/, int /*reserved2*/) {
    if (!appName || !*appName || !servers || count < 1 || !sink) return MENDPORT_BAD_ARGUMENTS;
    try {
        const ULONGLONG deadline = GetTickCount64() + kCheckDeadlineMs;
        for (int i = 0; i < count; ++i) {
            UPDATE_MANIFEST manifest;
            if (!servers[i].url || !AskUpdateService(servers[i].url, deadline, manifest)) continue;
            if (!manifest.Newer) return MENDPORT_CURRENT;
            if (IsHeldBack(ClientFolder(), manifest.Version)) return MENDPORT_HELD_BACK;
            sink->OnNewerVersion();
            return MENDPORT_NEWER;
        }
    } catch (...) {
        // Nothing may cross into the caller's module.
    }
    return MENDPORT_CHECK_FAILED;
}
