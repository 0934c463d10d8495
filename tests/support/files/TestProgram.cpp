#include "TestProgram.h"

#include <windows.h>

#include "ScopedHandle.h"

std::wstring BesideTheTestProgram(const std::wstring& name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

int RunProgramToEnd(const std::wstring& commandLine, const std::wstring& folder, unsigned long timeoutMs) {
    std::wstring line = commandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started))
        return -1;
    CScopedHandle thread(started.hThread), process(started.hProcess);
    if (WaitForSingleObject(process.Get(), timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.Get(), 1);
        return -1;
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.Get(), &exitCode);
    return (int)exitCode;
}
