#include "ProgramFolder.h"

#include <chrono>
#include <stdexcept>
#include <thread>

#include "files/TestProgram.h"

void ProgramFolder::Install(const std::wstring& helper, const std::wstring& name) const {
    if (!CopyFileW(BesideTheTestProgram(helper).c_str(), File(name).c_str(), FALSE))
        throw std::runtime_error("cannot copy a helper program");
}

HANDLE ProgramFolder::Start(const std::wstring& name, const std::wstring& arguments) const {
    std::wstring line = L"\"" + File(name) + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, Path().c_str(), &startup, &process))
        throw std::runtime_error("cannot start a helper program");
    CloseHandle(process.hThread);
    return process.hProcess;
}

bool ProgramFolder::Run(const std::wstring& name, const std::wstring& arguments) const {
    return RunProgramToEnd(L"\"" + File(name) + L"\" " + arguments, Path(), 60000) != -1;
}

std::string ProgramFolder::WaitForMarker(const std::wstring& name, const std::string& expected) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::string marker = Read(name + L".marker");
    while (marker != expected && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        marker = Read(name + L".marker");
    }
    return marker;
}

std::string ProgramFolder::AnsiPath() const {
    char path[MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, Path().c_str(), -1, path, MAX_PATH, nullptr, nullptr);
    return path;
}
