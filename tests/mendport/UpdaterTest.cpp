#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "FailedInstall.h"
#include "MendportUpdater.h"
#include "files/ScratchFolder.h"
#include "http/LoopbackHttpServer.h"
#include "update/LoopbackUpdateService.h"

namespace {

using Files = std::map<std::wstring, std::string>;

const std::vector<UPDATE_FILE_ENTRY> kRelease = {
    {"Zemovista.exe", "new program"}, {"Images/default/a.png", "new image"}, {"Skin/new/x.xml", "<skin/>"}};

const Files kBefore = {{L"Zemovista.exe", "old program"},
                       {L"Images\\default\\a.png", "old image"},
                       {L"Skin\\new\\x.xml", "<missing>"},
                       {L"keep.txt", "not in the update"},
                       {L"update\\version.dat", "1.0"}};

const Files kAfter = {{L"Zemovista.exe", "new program"},
                      {L"Images\\default\\a.png", "new image"},
                      {L"Skin\\new\\x.xml", "<skin/>"},
                      {L"keep.txt", "not in the update"},
                      {L"update\\version.dat", "2.0"}};

std::string Utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &bytes[0], size, nullptr, nullptr);
    return bytes;
}

// Seconds since 1601, as the client records the time of a failed install.
unsigned long long NowSeconds() {
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    return (((unsigned long long)now.dwHighDateTime << 32) | now.dwLowDateTime) / 10000000;
}

// An installed program of version 1.0 whose update client points at the loopback
// service, which offers version 2.0.
class UpdaterTest : public ::testing::Test {
protected:
    UpdaterTest() {
        for (const auto& [path, bytes] : kBefore)
            if (bytes != "<missing>") m_folder.Write(path, bytes);
        WriteUpdateClientFiles(m_folder,
                               {"zemovista", "1.0", m_service.ServerLine(), LoopbackUpdateService::IncrementWeb()});
        m_service.Publish("zemovista", "2.0", kRelease);
    }

    Files Installed() const {
        Files files;
        for (const auto& entry : kBefore) files[entry.first] = m_folder.Read(entry.first);
        return files;
    }
    // Nothing of the updater's work is left behind.
    void ExpectNoWorkFiles() const {
        for (const wchar_t* path :
             {L"Update\\Mendport\\Download", L"Update\\Mendport\\Backup", L"Update\\Mendport\\Mendport.lock"})
            EXPECT_FALSE(m_folder.Exists(path)) << path;
    }

    // Runs the updater program from the folder's "Update" folder, as the program starts
    // it; its exit code, or -1 when it did not end within a minute.
    int RunUpdaterProgram() const {
        const std::wstring program = m_folder.File(L"Update\\Mendport.exe");
        if (!CopyFileW(BesideTheTestProgram(L"Update\\Mendport.exe").c_str(), program.c_str(), FALSE)) return -1;
        return RunProgramToEnd(L"\"" + program + L"\"", L"", 60000);
    }
    // The stand-in program "Player.exe" in the folder, named as the program to start.
    void InstallStartMarker() {
        ASSERT_TRUE(CopyFileW(BesideTheTestProgram(L"update_start_marker.exe").c_str(),
                              m_folder.File(L"Player.exe").c_str(), FALSE));
        WriteUpdateClientFiles(m_folder, {"zemovista", "1.0", m_service.ServerLine(),
                                          LoopbackUpdateService::IncrementWeb(), "Player.exe"});
    }
    // Waits (at most 20 s) for the stand-in program to have started the given number of times.
    bool WaitForStarts(size_t starts) const {
        std::string expected;
        for (size_t i = 0; i < starts; ++i) expected += "started\n";
        for (int i = 0; i < 200; ++i) {
            if (m_folder.Read(L"started.txt") == expected) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
    std::wstring ClientFolder() const { return m_folder.File(L"Update\\Mendport\\"); }

    ScratchFolder m_folder;
    LoopbackUpdateService m_service;
};

TEST_F(UpdaterTest, InstallsEveryFileOfTheNewerVersionAndThenItsVersion) {
    EXPECT_EQ(UPDATER_INSTALLED, RunUpdate(m_folder.Path()));
    EXPECT_EQ(kAfter, Installed());
    EXPECT_EQ(std::vector<std::string>({"Zemovista.exe", "Images/default/a.png", "Skin/new/x.xml"}),
              m_service.Fetches());
    ExpectNoWorkFiles();

    EXPECT_EQ(UPDATER_CURRENT, RunUpdate(m_folder.Path()));
    EXPECT_EQ(2u, m_service.Checks().size());
    EXPECT_EQ("2.0", m_service.Checks()[1].Version);
}

class DamagedDownloadTest : public UpdaterTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DamagedDownloadTest, LeavesTheInstalledProgramAsItWas) {
    m_service.Corrupt("Images/default/a.png", GetParam());
    EXPECT_EQ(UPDATER_DOWNLOAD_FAILED, RunUpdate(m_folder.Path()));
    EXPECT_EQ(kBefore, Installed());
    ExpectNoWorkFiles();
}

// The same length with other bytes, fewer bytes, more bytes.
INSTANTIATE_TEST_SUITE_P(Bodies, DamagedDownloadTest, ::testing::Values("bad image", "new", "new image!!"));

class UnsignedUpdateTest : public UpdaterTest, public ::testing::WithParamInterface<UPDATE_SIGNING> {};

TEST_P(UnsignedUpdateTest, InstallsNothing) {
    m_service.SetSigning(GetParam());
    EXPECT_EQ(UPDATER_CHECK_FAILED, RunUpdate(m_folder.Path()));
    EXPECT_EQ(kBefore, Installed());
    EXPECT_TRUE(m_service.Fetches().empty());
    ExpectNoWorkFiles();
}

INSTANTIATE_TEST_SUITE_P(Signatures, UnsignedUpdateTest,
                         ::testing::Values(UPDATE_UNSIGNED, UPDATE_OTHER_SIGNATURE, UPDATE_OTHER_TEXT));

// A file of the installed program that keeps the update's last file from its place.
class BlockedPlaceTest : public UpdaterTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(BlockedPlaceTest, UndoesEveryStepBeforeIt) {
    m_folder.Write(GetParam(), "the user's");
    EXPECT_EQ(UPDATER_INSTALL_FAILED, RunUpdate(m_folder.Path()));
    EXPECT_EQ(kBefore, Installed());
    EXPECT_EQ("the user's", m_folder.Read(GetParam()));
    ExpectNoWorkFiles();
}

// A folder where the file belongs; a file where its folder belongs.
INSTANTIATE_TEST_SUITE_P(Places, BlockedPlaceTest, ::testing::Values(L"Skin\\new\\x.xml\\inner.txt", L"Skin"));

TEST_F(UpdaterTest, AFileStillInUseIsTriedAgainUntilTheProgramHasLetItGo) {
    HANDLE inUse = CreateFileW(m_folder.File(L"Zemovista.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, inUse);
    std::thread ending([inUse] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        CloseHandle(inUse);
    });
    EXPECT_EQ(UPDATER_INSTALLED, RunUpdate(m_folder.Path()));
    ending.join();
    EXPECT_EQ(kAfter, Installed());
}

TEST_F(UpdaterTest, AnotherUpdaterAtWorkOnTheFolderIsLeftAlone) {
    HANDLE lock = CreateFileW(m_folder.File(L"Update\\Mendport\\Mendport.lock").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    EXPECT_EQ(UPDATER_BUSY, RunUpdate(m_folder.Path()));
    CloseHandle(lock);
    EXPECT_TRUE(m_service.Requests().empty());
    EXPECT_EQ(kBefore, Installed());
}

TEST_F(UpdaterTest, WithoutItsFilesOrItsServiceTheUpdaterChangesNothing) {
    struct Case {
        const char* name;
        UPDATE_CLIENT_FILES files;
        UPDATER_RESULT result;
    };
    const std::string web = LoopbackUpdateService::IncrementWeb();
    const std::string unused = "socket 127.0.0.1 " + std::to_string(UnusedLoopbackPort());
    for (const Case& c : {Case{"NoAppName", {"", "1.0", m_service.ServerLine(), web}, UPDATER_NO_CONFIG},
                          Case{"NoAddress", {"zemovista", "1.0", "127.0.0.1", web}, UPDATER_NO_CONFIG},
                          Case{"NoService", {"zemovista", "1.0", unused, web}, UPDATER_CHECK_FAILED},
                          Case{"UnknownApp", {"other", "1.0", m_service.ServerLine(), web}, UPDATER_CHECK_FAILED}}) {
        WriteUpdateClientFiles(m_folder, c.files);
        EXPECT_EQ(c.result, RunUpdate(m_folder.Path())) << c.name;
        EXPECT_EQ(kBefore, Installed()) << c.name;
    }
    WriteUpdateClientFiles(m_folder, {"zemovista", "1.0", m_service.ServerLine(), web});
    DeleteFileW(m_folder.File(L"update\\version.dat").c_str());
    EXPECT_EQ(UPDATER_NO_CONFIG, RunUpdate(m_folder.Path()));
    EXPECT_TRUE(m_service.Fetches().empty());
}

TEST_F(UpdaterTest, TheUpdaterProgramInTheUpdateFolderUpdatesItsProgramFolder) {
    EXPECT_EQ(UPDATER_INSTALLED, RunUpdaterProgram());
    EXPECT_EQ(kAfter, Installed());
}

TEST_F(UpdaterTest, TheUpdaterProgramStartsTheProgramAgainWhateverTheOutcome) {
    InstallStartMarker();
    EXPECT_EQ(UPDATER_INSTALLED, RunUpdaterProgram());
    EXPECT_TRUE(WaitForStarts(1));

    WriteUpdateClientFiles(
        m_folder, {"zemovista", "2.0", m_service.ServerLine(), LoopbackUpdateService::IncrementWeb(), "Player.exe"});
    m_service.Publish("zemovista", "3.0", kRelease);
    m_service.Corrupt("Zemovista.exe", "broken");
    EXPECT_EQ(UPDATER_DOWNLOAD_FAILED, RunUpdaterProgram());
    EXPECT_EQ("2.0", m_folder.Read(L"update\\version.dat"));
    EXPECT_TRUE(WaitForStarts(2));
}

TEST_F(UpdaterTest, OnlyAProgramBelowTheProgramFolderIsStarted) {
    ASSERT_TRUE(CopyFileW(BesideTheTestProgram(L"update_start_marker.exe").c_str(),
                          m_folder.File(L"Player.exe").c_str(), FALSE));
    struct Case {
        const char* startFile;
        bool started;
    };
    for (const Case& c : {Case{"", false}, Case{"Missing.exe", false}, Case{"..\\Player.exe", false},
                          Case{"C:\\Player.exe", false}, Case{"Player.exe", true}}) {
        WriteUpdateClientFiles(
            m_folder, {"zemovista", "1.0", m_service.ServerLine(), LoopbackUpdateService::IncrementWeb(), c.startFile});
        EXPECT_EQ(c.started, StartInstalledProgram(m_folder.Path())) << c.startFile;
    }
    EXPECT_TRUE(WaitForStarts(1));
}

TEST_F(UpdaterTest, AVersionThatFailedIsHeldBackForADayUnlessItInstalls) {
    m_service.Corrupt("Images/default/a.png", "bad image");
    EXPECT_EQ(UPDATER_DOWNLOAD_FAILED, RunUpdate(m_folder.Path()));
    EXPECT_TRUE(IsHeldBack(ClientFolder(), "2.0"));
    EXPECT_FALSE(IsHeldBack(ClientFolder(), "2.1")) << "a newer version";

    m_service.Corrupt("Images/default/a.png", "new image");
    EXPECT_EQ(UPDATER_INSTALLED, RunUpdate(m_folder.Path()));
    EXPECT_FALSE(IsHeldBack(ClientFolder(), "2.0"));
    EXPECT_FALSE(m_folder.Exists(L"Update\\Mendport\\Failed.ini"));
}

TEST_F(UpdaterTest, AFailedInstallOnRecordHoldsItsVersionBackForADay) {
    const unsigned long long now = NowSeconds();
    struct Case {
        const char* name;
        std::string record;
        bool heldBack;
    };
    auto record = [](const std::string& version, const std::string& time) {
        return "[failed]\r\nversion=" + version + "\r\ntime=" + time + "\r\n";
    };
    for (const Case& c : {Case{"JustNow", record("2.0", std::to_string(now)), true},
                          Case{"AnHourAgo", record("2.0", std::to_string(now - 3600)), true},
                          Case{"ADayAgo", record("2.0", std::to_string(now - 24 * 3600)), false},
                          Case{"InTheFuture", record("2.0", std::to_string(now + 3600)), false},
                          Case{"OtherVersion", record("1.9", std::to_string(now)), false},
                          Case{"NoTime", record("2.0", ""), false}, Case{"BadTime", record("2.0", "12ab"), false}}) {
        m_folder.Write(L"Update\\Mendport\\Failed.ini", c.record);
        EXPECT_EQ(c.heldBack, IsHeldBack(ClientFolder(), "2.0")) << c.name;
    }
    DeleteFileW(m_folder.File(L"Update\\Mendport\\Failed.ini").c_str());
    EXPECT_FALSE(IsHeldBack(ClientFolder(), "2.0")) << "no record";
}

// What a run that ended half-way leaves: the journal of its steps and the backups.
struct CrashCase {
    const char* name;
    Files installed;                                     // the program folder's files as the run left them
    Files backups;                                       // "Update\Mendport\Backup\<n>"
    std::vector<std::pair<bool, std::wstring>> journal;  // has a backup, target
    std::string tail;                                    // a last line the crash cut
};

void PrintTo(const CrashCase& c, std::ostream* out) { *out << c.name; }

class CrashedRunTest : public UpdaterTest, public ::testing::WithParamInterface<CrashCase> {};

TEST_P(CrashedRunTest, IsUndoneByTheNextRunBeforeItAsks) {
    const CrashCase& c = GetParam();
    for (const auto& [path, bytes] : c.installed) {
        if (bytes == "<missing>")
            DeleteFileW(m_folder.File(path).c_str());
        else
            m_folder.Write(path, bytes);
    }
    for (const auto& [name, bytes] : c.backups) m_folder.Write(L"Update\\Mendport\\Backup\\" + name, bytes);
    std::string journal;
    for (const auto& [hasBackup, target] : c.journal)
        journal += std::string(hasBackup ? "1 " : "0 ") + Utf8(m_folder.File(target)) + "\n";
    m_folder.Write(L"Update\\Mendport\\Backup\\journal.txt", journal + c.tail);
    m_service.Publish("zemovista", "1.0", kRelease);  // nothing newer: the run only puts things back

    EXPECT_EQ(UPDATER_CURRENT, RunUpdate(m_folder.Path()));
    EXPECT_EQ(kBefore, Installed());
    ExpectNoWorkFiles();
}

INSTANTIATE_TEST_SUITE_P(Leftovers, CrashedRunTest,
                         ::testing::Values(CrashCase{"BeforeTheFirstBackup", {}, {}, {{true, L"Zemovista.exe"}}, ""},
                                           CrashCase{"AfterTheFirstBackup",
                                                     {{L"Zemovista.exe", "<missing>"}},
                                                     {{L"0", "old program"}},
                                                     {{true, L"Zemovista.exe"}},
                                                     ""},
                                           CrashCase{"AfterTwoFilesAndANewOne",
                                                     {{L"Zemovista.exe", "new program"},
                                                      {L"Images\\default\\a.png", "new image"},
                                                      {L"Skin\\new\\x.xml", "<skin/>"}},
                                                     {{L"0", "old program"}, {L"1", "old image"}},
                                                     {{true, L"Zemovista.exe"},
                                                      {true, L"Images\\default\\a.png"},
                                                      {false, L"Skin\\new\\x.xml"}},
                                                     "1 C:\\cut"},
                                           CrashCase{"BeforeTheVersion",
                                                     {{L"Zemovista.exe", "new program"},
                                                      {L"Images\\default\\a.png", "new image"},
                                                      {L"Skin\\new\\x.xml", "<skin/>"},
                                                      {L"update\\version.dat", "<missing>"}},
                                                     {{L"0", "old program"}, {L"1", "old image"}, {L"3", "1.0"}},
                                                     {{true, L"Zemovista.exe"},
                                                      {true, L"Images\\default\\a.png"},
                                                      {false, L"Skin\\new\\x.xml"},
                                                      {true, L"update\\version.dat"}},
                                                     ""}),
                         [](const ::testing::TestParamInfo<CrashCase>& info) { return std::string(info.param.name); });

TEST_F(UpdaterTest, OriginalsThatCannotBePutBackAreKeptAndTheRunStops) {
    // The crashed run had replaced "Data\\settings.ini"; "Data" has become a file since.
    m_folder.Write(L"Data", "in the way");
    m_folder.Write(L"Update\\Mendport\\Backup\\0", "old settings");
    m_folder.Write(L"Update\\Mendport\\Backup\\journal.txt", "1 " + Utf8(m_folder.File(L"Data\\settings.ini")) + "\n");
    EXPECT_EQ(UPDATER_ROLLBACK_FAILED, RunUpdate(m_folder.Path()));
    EXPECT_EQ("old settings", m_folder.Read(L"Update\\Mendport\\Backup\\0"));
    EXPECT_TRUE(m_folder.Exists(L"Update\\Mendport\\Backup\\journal.txt"));
    EXPECT_TRUE(m_service.Requests().empty());
    EXPECT_EQ(kBefore, Installed());

    // Once the way is clear the next run puts the original back, then updates.
    DeleteFileW(m_folder.File(L"Data").c_str());
    CreateDirectoryW(m_folder.File(L"Data").c_str(), nullptr);
    EXPECT_EQ(UPDATER_INSTALLED, RunUpdate(m_folder.Path()));
    EXPECT_EQ("old settings", m_folder.Read(L"Data\\settings.ini"));
    EXPECT_EQ(kAfter, Installed());
    ExpectNoWorkFiles();
}

}  // namespace
