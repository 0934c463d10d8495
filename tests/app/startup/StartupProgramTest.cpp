#include <afx.h>
#include <gtest/gtest.h>

#include <string>

#include "ProgramFolderTest.h"
#include "common/WindowMessages.h"

namespace {

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
