#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>

#include "files/ScratchFolder.h"

namespace {

CString ProgramFolder() {
    TCHAR path[MAX_PATH] = {};
    GetModuleFileName(nullptr, path, MAX_PATH);
    CString folder(path);
    return folder.Left(folder.ReverseFind(_T('\\')) + 1);
}

// Runs a program of the test folder to its end; its exit code, -1 when it did not start.
int RunProgram(LPCTSTR program, const CString& arguments) {
    CString line = CString(_T("\"")) + ProgramFolder() + program + _T("\" ") + arguments;
    STARTUPINFO start = {sizeof(start)};
    PROCESS_INFORMATION process = {};
    if (!CreateProcess(nullptr, line.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
        return -1;
    WaitForSingleObject(process.hProcess, 120000);
    DWORD code = (DWORD)-1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return (int)code;
}

TEST(AppTest, DefaultStartUpRunsTheApplicationsLifeCycle) {
    struct Case {
        const char* name;
        LPCTSTR extra;
        int code;
        std::string log;
    };
    const Case cases[] = {
        {"InitInstance succeeds: the loop runs until WM_QUIT", _T(""), 105,
         "application\ninstance probe mfc_default_main\nregistry Tove probe\nmain window cleared\nexit 5 main 0\n"},
        {"InitInstance fails: the main window goes and ExitInstance runs", _T(" fail"), 100,
         "application\ninstance probe mfc_default_main\nregistry Tove probe\nexit 0 main 0\n"},
    };
    ScratchFolder folder;
    int n = 0;
    for (const Case& c : cases) {
        std::wstring log = L"log" + std::to_wstring(n++) + L".txt";
        EXPECT_EQ(c.code, RunProgram(_T("mfc_default_main.exe"), CString(folder.File(log).c_str()) + c.extra))
            << c.name;
        EXPECT_EQ(c.log, folder.Read(log)) << c.name;
    }
}

TEST(AppTest, ProgramsOwnAfxWinMainWinsAtLinkTime) { EXPECT_EQ(42, RunProgram(_T("mfc_own_main.exe"), _T(""))); }

}  // namespace
