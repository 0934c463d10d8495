#include "PlayerRestart.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>

namespace {

const char* FilePart(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

// A handle to wait on when the process runs the program at path.
CScopedHandle OpenProgramProcess(DWORD id, const std::string& path) {
    CScopedHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    char image[MAX_PATH];
    DWORD size = MAX_PATH;
    if (process && QueryFullProcessImageNameA(process.Get(), 0, image, &size) && lstrcmpiA(image, path.c_str()) == 0)
        return process;
    return CScopedHandle();
}

}  // namespace

CPlayerRestart::CPlayerRestart(std::string playerPath) : m_path(std::move(playerPath)), m_begin(GetTickCount()) {
    CScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId() || lstrcmpiA(entry.szExeFile, FilePart(m_path)) != 0) continue;
        if (CScopedHandle process = OpenProgramProcess(entry.th32ProcessID, m_path))
            m_running.push_back(std::move(process));
    }
}

bool CPlayerRestart::Poll() {
    if (m_started) return true;
    const bool gone = std::all_of(m_running.begin(), m_running.end(), [](const CScopedHandle& process) {
        return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
    });
    if (!gone && GetTickCount() - m_begin < WAIT_LIMIT_MS) return false;
    ShellExecuteA(nullptr, "open", m_path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    m_started = true;
    return true;
}
