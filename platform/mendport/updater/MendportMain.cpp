// Mendport.exe: the updater program, in the "Update" folder of the installed program.
// It takes no arguments; its result is an UPDATER_RESULT. Whatever the outcome it
// starts the installed program again, unless another updater is at work (that one will).
#include <windows.h>

#include <string>

#include "MendportUpdater.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return UPDATER_NO_CONFIG;
    std::wstring updateFolder(path, std::wstring(path).find_last_of(L'\\'));
    size_t parent = updateFolder.find_last_of(L'\\');
    if (parent == std::wstring::npos) return UPDATER_NO_CONFIG;
    const std::wstring programFolder = updateFolder.substr(0, parent + 1);
    UPDATER_RESULT result = RunUpdate(programFolder);
    if (result != UPDATER_BUSY) StartInstalledProgram(programFolder);
    return result;
}
