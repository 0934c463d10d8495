#include <gtest/gtest.h>

#include <string>

#include "CrashSettings.h"
#include "HttpSend.h"
#include "files/ScratchFolder.h"

namespace {

std::string Ansi(const std::wstring& path) { return std::string(path.begin(), path.end()); }

TEST(CrashSettings, EachCrashFileLiesInItsConfiguredFolderOrThePlayers) {
    const struct {
        const char* config;
        const char* log;
        const char* dump;
    } cases[] = {
        {"CashExe Path=C:\\P\\player.exe\r\nLog File=a.log\r\nDump File=a.dmp\r\n", "C:\\P\\a.log", "C:\\P\\a.dmp"},
        {"Log Path=D:\\logs\r\nDump Path=\r\nCashExe Path=C:\\P\\player.exe\r\nLog File=a.log\r\nDump File=a.dmp\r\n",
         "D:\\logs\\a.log", "C:\\P\\a.dmp"},
        {"Log Path=D:\\logs\r\nDump Path=E:\\dumps\r\nCashExe Path=C:\\P\\player.exe\r\nLog File=a.log\r\nDump "
         "File=a.dmp\r\n",
         "D:\\logs\\a.log", "E:\\dumps\\a.dmp"},
    };
    for (const auto& c : cases) {
        ScratchFolder folder;
        const CRASH_FILES files =
            ReadCrashFiles(Ansi(folder.Write(L"CrashConfig.ini", std::string("[Crash Info]\r\n") + c.config)));
        EXPECT_EQ(c.log, files.LogPath()) << c.config;
        EXPECT_EQ(c.dump, files.DumpPath()) << c.config;
        EXPECT_EQ("C:\\P\\player.exe", files.playerPath);
    }
}

TEST(CrashSettings, MailerValuesAreReadWhole) {
    ScratchFolder folder;
    const std::string name(150, 'n');
    const std::string path =
        Ansi(folder.Write(L"Mailer.ini", "[User Info]\r\nIP=192.168.100.100:8080\r\nMail Name=" + name +
                                             "\r\nMail To=support@x.test\r\nReboot=YES\r\n"));
    const MAILER_SETTINGS settings = ReadMailerSettings(path);
    EXPECT_EQ("192.168.100.100:8080", settings.server);
    EXPECT_EQ(name, settings.mailName);
    EXPECT_EQ("support@x.test", settings.mailTo);
    EXPECT_EQ("192.168.100.100:8080", CHttpSend(path).Server());
    EXPECT_EQ(std::string(3000, 'v'),
              ReadIniText(Ansi(folder.Write(L"long.ini", "[s]\r\nk=" + std::string(3000, 'v'))), "s", "k"));
}

TEST(CrashSettings, OnlyAnExactYesRestartsThePlayer) {
    const struct {
        const char* reboot;
        bool restart;
    } cases[] = {{"YES", true}, {"yes", false}, {"Yes", false}, {"", false}, {"YESS", false}, {"NO", false}};
    for (const auto& c : cases) {
        ScratchFolder folder;
        const std::string path =
            Ansi(folder.Write(L"Mailer.ini", std::string("[User Info]\r\nReboot=") + c.reboot + "\r\n"));
        EXPECT_EQ(c.restart, ReadMailerSettings(path).Reboot()) << "\"" << c.reboot << "\"";
    }
}

TEST(CrashSettings, SizesAreShownInThousandsOfBytes) {
    ScratchFolder folder;
    const struct {
        size_t bytes;
        const char* text;
    } cases[] = {{1500, "1.50KB"}, {0, "0.00KB"},      {999, "1.00KB"},
                 {1004, "1.00KB"}, {12345, "12.35KB"}, {2500000, "2500.00KB"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.text, FileSizeText(Ansi(folder.Write(L"f.bin", std::string(c.bytes, 'x'))))) << c.bytes;
    EXPECT_EQ("0.00KB", FileSizeText(Ansi(folder.File(L"missing.dmp"))));
}

// The mail road as the sender sets it up: an empty server name cannot be reached.
TEST(CrashSettings, TheSendersMailRoadFailsWithoutAServer) {
    ScratchFolder folder;
    CHttpSend sender(Ansi(folder.Write(L"Mailer.ini", "[User Info]\r\nIP=127.0.0.1\r\n")));
    EXPECT_FALSE(sender.Connect(25));
    EXPECT_EQ(SMTP_NO_SERVER, sender.Smtp().GetLastError());
}

}  // namespace
