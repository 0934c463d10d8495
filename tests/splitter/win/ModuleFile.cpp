#include "ModuleFile.h"

#include <algorithm>
#include <memory>

std::wstring ModulePath() { return PrefixPath(XOF_MODULE_PATH); }

namespace {
struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
using CHandle = std::unique_ptr<void, HandleCloser>;
}  // namespace

DWORD RunProgram(const std::wstring& commandLine, std::string* output) {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return static_cast<DWORD>(-1);
    CHandle reader(readEnd), writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process))
        return static_cast<DWORD>(-1);
    CHandle processHandle(process.hProcess), threadHandle(process.hThread);
    writer.reset();
    // Read while the program runs (a helper process of the console may keep the pipe
    // open after it ends), bounded in time.
    std::string text;
    char buffer[4096];
    auto drain = [&] {
        DWORD available = 0, read = 0;
        while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
               ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0)
            text.append(buffer, read);
    };
    for (int i = 0; i < 12000 && WaitForSingleObject(process.hProcess, 10) == WAIT_TIMEOUT; ++i) drain();
    drain();
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &code);
    if (output) *output = text;
    return code;
}
