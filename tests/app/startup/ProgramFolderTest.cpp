#include "ProgramFolderTest.h"

#include "files/TestProgram.h"

namespace {
// Copies the folder's files and subfolders into an existing folder (both with a backslash).
void CopyFolder(const std::wstring& from, const std::wstring& to) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((from + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CreateDirectoryW((to + name).c_str(), nullptr);
            CopyFolder(from + name + L"\\", to + name + L"\\");
        } else {
            CopyFileW((from + name).c_str(), (to + name).c_str(), FALSE);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}
}  // namespace

std::wstring ProgramFolder::SourceFolder() const { return BesideTheTestProgram(L"probe\\"); }

void ProgramFolder::SetUp() {
    CopyFolder(SourceFolder(), scratch.Path());
    ASSERT_TRUE(CopyFileW(BesideTheTestProgram(L"..\\..\\crashdump\\stub_program.exe").c_str(),
                          scratch.File(L"Quillpost.exe").c_str(), FALSE));
    ASSERT_TRUE(scratch.Exists(L"Zemovista.exe"));
}

void ProgramFolder::TearDown() {
    for (PROCESS_INFORMATION& p : started) {
        if (WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT) {
            for (HWND w : WindowsOf(p.dwProcessId, L"Zemovista")) PostMessageW(w, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(p.hProcess, 15000) == WAIT_TIMEOUT) TerminateProcess(p.hProcess, 1);
        }
        CloseHandle(p.hProcess);
        CloseHandle(p.hThread);
    }
}

PROCESS_INFORMATION& ProgramFolder::Start(const std::wstring& arguments, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + scratch.File(L"Zemovista.exe") + L"\" " + arguments;
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    EXPECT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               folder.empty() ? scratch.Path().c_str() : folder.c_str(), &startup, &process));
    started.push_back(process);
    return started.back();
}

HWND ProgramFolder::MainDialog(const PROCESS_INFORMATION& process, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(100)) {
        std::vector<HWND> windows = WindowsOf(process.dwProcessId, L"Zemovista");
        for (HWND w : windows)
            if (GetWindowLongPtrW(w, GWL_STYLE) & WS_POPUP) return w;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

bool ProgramFolder::Ends(const PROCESS_INFORMATION& process, DWORD timeoutMs) {
    return WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::string ProgramFolder::IniValue(const char* key) const {
    char value[MAX_PATH] = {};
    std::string file(CStringA(scratch.File(L"CrashConfig.ini").c_str()));
    GetPrivateProfileStringA("Crash Info", key, "", value, MAX_PATH, file.c_str());
    return value;
}
