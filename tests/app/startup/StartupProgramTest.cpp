#include <afx.h>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "ScopedHandle.h"
#include "files/ScratchFolder.h"
#include "common/WindowMessages.h"
#include "files/TestProgram.h"
#include "support/ProgramFolderLocks.h"

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

// The top-level windows of a process with that title (a message box has the program's name).
std::vector<HWND> WindowsOf(DWORD processId, LPCWSTR title = nullptr) {
    struct Search {
        DWORD id;
        LPCWSTR title;
        std::vector<HWND> found;
    } search = {processId, title, {}};
    EnumWindows(
        [](HWND window, LPARAM context) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            WCHAR text[128] = {};
            GetWindowTextW(window, text, 128);
            if (owner == s->id && IsWindowVisible(window) && (!s->title || std::wstring(text) == s->title))
                s->found.push_back(window);
            return TRUE;
        },
        (LPARAM)&search);
    return search.found;
}

// A copy of the start-up program's folder, with the program started from it.
class ProgramFolder : public ::testing::Test {
protected:
    void SetUp() override {
        CopyFolder(BesideTheTestProgram(L"probe\\"), scratch.Path());
        ASSERT_TRUE(CopyFileW(BesideTheTestProgram(L"..\\..\\crashdump\\stub_program.exe").c_str(),
                              scratch.File(L"Quillpost.exe").c_str(), FALSE));
        ASSERT_TRUE(scratch.Exists(L"Zemovista.exe"));
    }
    void TearDown() override {
        for (PROCESS_INFORMATION& p : started) {
            if (WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT) {
                for (HWND w : WindowsOf(p.dwProcessId, L"Zemovista")) PostMessageW(w, WM_CLOSE, 0, 0);
                if (WaitForSingleObject(p.hProcess, 15000) == WAIT_TIMEOUT) TerminateProcess(p.hProcess, 1);
            }
            CloseHandle(p.hProcess);
            CloseHandle(p.hThread);
        }
    }

    // Starts the program with the arguments, in the folder given (the program folder when empty).
    PROCESS_INFORMATION& Start(const std::wstring& arguments = L"", const std::wstring& folder = L"") {
        std::wstring commandLine = L"\"" + scratch.File(L"Zemovista.exe") + L"\" " + arguments;
        STARTUPINFOW startup = {sizeof startup};
        PROCESS_INFORMATION process = {};
        EXPECT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   folder.empty() ? scratch.Path().c_str() : folder.c_str(), &startup, &process));
        started.push_back(process);
        return started.back();
    }

    // The main dialog of the process once it shows, null when it does not within the time.
    static HWND MainDialog(const PROCESS_INFORMATION& process, DWORD timeoutMs = 30000) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(100)) {
            std::vector<HWND> windows = WindowsOf(process.dwProcessId, L"Zemovista");
            for (HWND w : windows)
                if (GetWindowLongPtrW(w, GWL_STYLE) & WS_POPUP) return w;
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) return nullptr;
        }
        return nullptr;
    }

    static bool Ends(const PROCESS_INFORMATION& process, DWORD timeoutMs = 30000) {
        return WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }

    std::string IniValue(const char* key) const {
        char value[MAX_PATH] = {};
        std::string file(CStringA(scratch.File(L"CrashConfig.ini").c_str()));
        GetPrivateProfileStringA("Crash Info", key, "", value, MAX_PATH, file.c_str());
        return value;
    }

    PlayerInstanceLock instance;  // held until the programs are gone
    ScratchFolder scratch;
    std::deque<PROCESS_INFORMATION> started;  // references stay valid as it grows
};

TEST_F(ProgramFolder, ASecondStartHandsOverAndEndsWhileTheFirstRuns) {
    PROCESS_INFORMATION& first = Start();
    HWND dialog = MainDialog(first);
    ASSERT_TRUE(dialog) << "the first start shows its main dialog";
    const wchar_t* arguments[] = {L"", L"C:\\videos\\a.xof", L"videos\\relative.xof"};
    for (const wchar_t* argument : arguments) {
        SCOPED_TRACE(testing::Message() << CStringA(argument));
        PROCESS_INFORMATION& second = Start(argument);
        EXPECT_TRUE(Ends(second)) << "the second start ends";
        EXPECT_TRUE(WindowsOf(second.dwProcessId).empty());
        EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(first.hProcess, 0)) << "the first keeps running";
        EXPECT_TRUE(IsWindowVisible(dialog));
    }
    // Hidden, a second start brings it back.
    ShowWindow(dialog, SW_HIDE);
    EXPECT_TRUE(Ends(Start()));
    for (int i = 0; i < 50 && !IsWindowVisible(dialog); ++i) Sleep(100);
    EXPECT_TRUE(IsWindowVisible(dialog));

    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ends(first));
    DWORD code = 1;
    GetExitCodeProcess(first.hProcess, &code);
    EXPECT_EQ(0u, code);
}

TEST_F(ProgramFolder, StartUpEndsWithoutAWindowWhenTheSkinIsMissing) {
    ASSERT_TRUE(DeleteFileW(scratch.File(L"Images\\default\\zemovista_skin.xml").c_str()));
    PROCESS_INFORMATION& process = Start();
    EXPECT_TRUE(Ends(process));
    EXPECT_EQ(nullptr, MainDialog(process, 0));
}

TEST_F(ProgramFolder, AFailedDatabaseUpgradeSaysSoAndEnds) {
    ASSERT_TRUE(DeleteFileW(scratch.File(L"Sql\\dbupdate1.sql").c_str()));
    PROCESS_INFORMATION& process = Start();
    HWND box = nullptr;
    for (int i = 0; i < 300 && !box; ++i, Sleep(100)) {
        for (HWND w : WindowsOf(process.dwProcessId))
            if (FindWindowExW(w, nullptr, L"Static", L"数据库升级失败")) box = w;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
    }
    ASSERT_TRUE(box) << "the message box shows";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Ends(process));
    EXPECT_EQ(nullptr, MainDialog(process, 0));
}

TEST_F(ProgramFolder, AFaultInAHandlerIsRecordedOnceAndTheSenderStarted) {
    {
        PROCESS_INFORMATION& process = Start();
        HWND dialog = MainDialog(process);
        ASSERT_TRUE(dialog);
        // An open request whose path is no heap string of the process.
        PostMessageW(dialog, WM_OPEN_VIDEO_REQUEST, 0x10, 0);
        ASSERT_TRUE(Ends(process, 60000));
        EXPECT_TRUE(WindowsOf(process.dwProcessId).empty()) << "no error box";
        std::string log = IniValue("Log File"), dump = IniValue("Dump File");
        EXPECT_FALSE(log.empty());
        EXPECT_FALSE(dump.empty());
        EXPECT_TRUE(scratch.Exists(std::wstring(log.begin(), log.end())));
        EXPECT_TRUE(scratch.Exists(std::wstring(dump.begin(), dump.end())));
        for (int i = 0; i < 100 && !scratch.Exists(L"Quillpost.exe.marker"); ++i) Sleep(100);
        EXPECT_EQ("start\r\n", scratch.Read(L"Quillpost.exe.marker").substr(0, 7)) << "the sender started";
        int logs = 0;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(scratch.File(L"*.log").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do ++logs;
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        EXPECT_EQ(1, logs) << "one crash log";
    }
}

}  // namespace
