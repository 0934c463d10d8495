#include "PlayerRestart.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>

#include "ScopedHandle.h"

namespace {

const char* FilePart(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

// A handle to wait on when the process runs the program at path.
HANDLE OpenProgramProcess(DWORD id, const std::string& path) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process) return nullptr;
    char image[MAX_PATH];
    DWORD size = MAX_PATH;
    if (QueryFullProcessImageNameA(process, 0, image, &size) && lstrcmpiA(image, path.c_str()) == 0) return process;
    CloseHandle(process);
    return nullptr;
}

}  // namespace

CPlayerRestart::CPlayerRestart(std::string playerPath) : m_path(std::move(playerPath)), m_begin(GetTickCount()) {
    CScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId() || lstrcmpiA(entry.szExeFile, FilePart(m_path)) != 0) continue;
        if (HANDLE process = OpenProgramProcess(entry.th32ProcessID, m_path)) m_running.push_back(process);
    }
}

CPlayerRestart::~CPlayerRestart() {
    for (HANDLE process : m_running) CloseHandle(process);
}

bool CPlayerRestart::Poll() {
    if (m_started) return true;
    const bool gone = std::all_of(m_running.begin(), m_running.end(),
                                  [](HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; });
    if (!gone && GetTickCount() - m_begin < WAIT_LIMIT_MS) return false;
    ShellExecuteA(nullptr, "open", m_path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    m_started = true;
    return true;
}
