#include "PlayerProcess.h"

#include <vector>

#include "ProcessWindows.h"

namespace road {

namespace {

const int kVideoSurfaceId = 1001;
const int kSeekSliderId = 1000;

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return condition();
        Sleep(100);
    }
}

PlayerProcess::PlayerProcess(const std::wstring& folder, const std::wstring& arguments) {
    std::wstring program = folder + L"\\Zemovista.exe";
    std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info))
        return;
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_id = info.dwProcessId;
}

PlayerProcess::~PlayerProcess() {
    if (!m_process) return;
    // A player that outlived the road is ended, so that the next run starts alone.
    if (Running()) TerminateProcess(m_process, 1);
    CloseHandle(m_process);
}

bool PlayerProcess::Running() const { return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }

int PlayerProcess::WaitForEnd(DWORD timeoutMs) const {
    if (!m_process || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(m_process, &code);
    return (int)code;
}

HWND PlayerProcess::MainDialog() const {
    std::vector<HWND> dialogs = WindowsOf(m_id, L"Zemovista");
    return dialogs.empty() ? nullptr : dialogs.front();
}

HWND PlayerProcess::FindDialogWith(int controlId) const {
    HWND main = MainDialog();
    for (HWND window : WindowsOf(m_id))
        if (window != main && GetDlgItem(window, controlId)) return window;
    return nullptr;
}

HWND PlayerProcess::PlayDialog() const {
    HWND main = MainDialog();
    for (HWND window : WindowsOf(m_id))
        if (window != main && GetDlgItem(window, kVideoSurfaceId)) return window;
    return nullptr;
}

HWND PlayerProcess::SeekSlider() const {
    HWND main = MainDialog();
    for (HWND child = main ? GetWindow(main, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT))
        if (HWND slider = GetDlgItem(child, kSeekSliderId)) return slider;
    return nullptr;
}

}  // namespace road
