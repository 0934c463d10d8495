#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>

#include "ProgramFolder.h"

namespace {

std::string IniValue(const std::wstring& file, const char* key) {
    char path[MAX_PATH], value[MAX_PATH];
    WideCharToMultiByte(CP_ACP, 0, file.c_str(), -1, path, MAX_PATH, nullptr, nullptr);
    GetPrivateProfileStringA("Crash Info", key, "<missing>", value, MAX_PATH, path);
    return value;
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The log's register block and stack lines are as wide as the program's pointers.
#ifdef _WIN64
const char FIRST_REGISTER[] = "\r\nContext:\r\nRDI: 0x";
const char STACK_ADDRESS[] = "0x[0-9a-f]{16}: ";
#else
const char FIRST_REGISTER[] = "\r\nContext:\r\nEDI:    0x";
const char STACK_ADDRESS[] = "0x[0-9a-f]{8}: ";
#endif

// The exception code of a minidump's exception stream; 0 when it has none.
DWORD DumpedExceptionCode(const std::string& dump) {
    auto word = [&](size_t at) -> DWORD {
        DWORD value = 0;
        if (at + 4 <= dump.size()) memcpy(&value, dump.data() + at, 4);
        return value;
    };
    if (dump.compare(0, 4, "MDMP") != 0) return 0;
    const DWORD streams = word(8), directory = word(12);
    for (DWORD i = 0; i < streams; ++i) {
        const size_t entry = directory + i * 12;
        if (word(entry) == 6) return word(word(entry + 8) + 8);  // ExceptionStream: thread id, alignment, code
    }
    return 0;
}

// The player's folder with the crashing program as "player.exe", the stub sender as
// "Quillpost.exe" and a "CrashConfig.ini" naming its crash folders.
class CrashRoadTest : public testing::Test {
public:
    CrashRoadTest() {
        folder.Install(L"crash_child.exe", L"player.exe");
        folder.Install(L"stub_program.exe", L"Quillpost.exe");
    }
    void Configure(const std::string& logFolder, const std::string& dumpFolder) const {
        folder.Write(L"CrashConfig.ini",
                     "[Crash Info]\r\nLog Path=" + logFolder + "\r\nDump Path=" + dumpFolder + "\r\n");
    }
    std::string Value(const char* key) const { return IniValue(folder.File(L"CrashConfig.ini"), key); }

    ProgramFolder folder;
};

struct CRASH_CASE {
    const wchar_t* mode;
    const char* caused;  // the first line's exception
    const char* module;  // where it was raised, as a pattern
    DWORD code;
};

class CrashKindTest : public CrashRoadTest, public testing::WithParamInterface<CRASH_CASE> {};

TEST_P(CrashKindTest, LeavesALogADumpTheirNamesAndStartsTheSenderOnce) {
    const CRASH_CASE& c = GetParam();
    folder.Write(L"logs\\keep", "");
    folder.Write(L"dumps\\keep", "");
    Configure(folder.AnsiPath() + "logs", folder.AnsiPath() + "dumps");
    ASSERT_TRUE(folder.Run(L"player.exe", c.mode));

    EXPECT_EQ(ONE_RUN, folder.WaitForMarker(L"Quillpost.exe", ONE_RUN));
    const std::string logName = Value("Log File"), dumpName = Value("Dump File");
    EXPECT_TRUE(std::regex_match(logName, std::regex("ERRORLOG \\d{8} \\d{6}\\.log"))) << logName;
    EXPECT_EQ("CRASH " + logName.substr(9, 15) + ".dmp", dumpName);
    EXPECT_EQ(folder.AnsiPath() + "player.exe", Value("CashExe Path"));

    const std::string log = folder.Read(L"logs\\" + Wide(logName));
    const std::string first = std::string("player caused ") + c.caused;
    EXPECT_EQ(first, log.substr(0, first.size())) << log.substr(0, 200);
    EXPECT_TRUE(std::regex_search(
        log, std::regex(std::string(" \\r\\nin module ") + c.module + " at [0-9a-f]{4}:[0-9a-f]{8}\\.\\r\\n\\r\\n"
                        "Exception handler called in ExceptionAttacher - AfxWinMain\\.\\r\\n"
                        "Error occurred at \\d+/\\d+/\\d{4} \\d\\d:\\d\\d:\\d\\d\\.\\r\\n",
                        std::regex::icase)))
        << log.substr(0, 400);
    EXPECT_NE(std::string::npos, log.find(folder.AnsiPath() + "player.exe, run by "));
    EXPECT_NE(std::string::npos, log.find(FIRST_REGISTER));
    EXPECT_TRUE(std::regex_search(log, std::regex(std::string("\\r\\nBytes at CS:EIP:\\r\\n([0-9a-f]{2} ){16}\\r\\n\\r\\n"
                                                              "Stack:\\r\\n") +
                                                  STACK_ADDRESS + "[0-9a-f]{8} ")));
    EXPECT_TRUE(std::regex_search(log, std::regex("Module 1\\r\\n")));
    EXPECT_NE(std::string::npos, log.find("\r\n" + folder.AnsiPath() + "player.exe\r\nImage Base: 0x"));
    EXPECT_NE(std::string::npos, log.find("\r\n===== [end of ERRORLOG] =====\r\n"));
    EXPECT_EQ(log.size() - strlen("\r\n===== [end of ERRORLOG] =====\r\n"), log.rfind("\r\n====="));

    const std::string dump = folder.Read(L"dumps\\" + Wide(dumpName));
    EXPECT_EQ("MDMP", dump.substr(0, 4));
    EXPECT_EQ(c.code, DumpedExceptionCode(dump));
    EXPECT_FALSE(folder.Exists(Wide(logName)));  // nothing in the program folder
}

INSTANTIATE_TEST_SUITE_P(Kinds, CrashKindTest,
                         testing::Values(CRASH_CASE{L"write-null", "an Access Violation (0xc0000005)", "player\\.exe",
                                                    0xC0000005},
                                         // raised by the system's RaiseException
                                         CRASH_CASE{L"throw", "a Microsoft C++ Exception (0xe06d7363)",
                                                    "kernelbase\\.dll", 0xE06D7363}),
                         [](const testing::TestParamInfo<CRASH_CASE>& info) {
                             return info.index == 0 ? "NullWrite" : "UncaughtThrow";
                         });

TEST_F(CrashRoadTest, AWriteToAddressZeroIsNamed) {
    Configure("", "");
    ASSERT_TRUE(folder.Run(L"player.exe", L"write-null"));
    const std::string log = folder.Read(Wide(Value("Log File")));
    EXPECT_NE(std::string::npos, log.find("Write to location 00000000 caused an access violation.\r\n"));
    EXPECT_EQ("MDMP", folder.Read(Wide(Value("Dump File"))).substr(0, 4));  // both beside the program
    EXPECT_EQ(ONE_RUN, folder.WaitForMarker(L"Quillpost.exe", ONE_RUN));
}

TEST_F(CrashRoadTest, AMissingDumpFolderKeepsTheLogAndNamesNoDump) {
    folder.Write(L"logs\\keep", "");
    Configure(folder.AnsiPath() + "logs", folder.AnsiPath() + "no such folder");
    ASSERT_TRUE(folder.Run(L"player.exe", L"write-null"));
    EXPECT_EQ(ONE_RUN, folder.WaitForMarker(L"Quillpost.exe", ONE_RUN));
    EXPECT_NE(std::string::npos, folder.Read(L"logs\\" + Wide(Value("Log File"))).find("===== [end of ERRORLOG]"));
    EXPECT_EQ("", Value("Dump File"));
}

TEST_F(CrashRoadTest, AnUnwritableLogFolderGivesNothingAndStartsNothing) {
    Configure(folder.AnsiPath() + "no such folder", "");
    ASSERT_TRUE(folder.Run(L"player.exe", L"write-null"));
    Sleep(1500);
    EXPECT_EQ("<missing>", folder.Read(L"Quillpost.exe.marker"));
    EXPECT_EQ("<missing>", Value("Log File"));
    EXPECT_EQ("<missing>", Value("Dump File"));
}

TEST_F(CrashRoadTest, ASecondCallInTheProcessDoesNothing) {
    Configure("", "");
    ASSERT_TRUE(folder.Run(L"player.exe", L"twice"));
    EXPECT_EQ(ONE_RUN, folder.WaitForMarker(L"Quillpost.exe", ONE_RUN));
    Sleep(1000);
    EXPECT_EQ(ONE_RUN, folder.Read(L"Quillpost.exe.marker"));
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(folder.File(L"ERRORLOG *.log").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    EXPECT_FALSE(FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace
