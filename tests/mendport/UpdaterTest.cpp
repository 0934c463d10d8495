#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "MendportUpdater.h"
#include "files/ScratchFolder.h"
#include "http/LoopbackHttpServer.h"
#include "update/LoopbackUpdateService.h"

namespace {

using Files = std::map<std::wstring, std::string>;

const std::vector<UPDATE_FILE_ENTRY> kRelease = {
    {"Zemovista.exe", "new program"}, {"Images/default/a.png", "new image"}, {"Skin/new/x.xml", "<skin/>"}};

const Files kBefore = {{L"Zemovista.exe", "old program"}, {L"Images\\default\\a.png", "old image"},
                       {L"Skin\\new\\x.xml", "<missing>"}, {L"keep.txt", "not in the update"},
                       {L"update\\version.dat", "1.0"}};

const Files kAfter = {{L"Zemovista.exe", "new program"}, {L"Images\\default\\a.png", "new image"},
                      {L"Skin\\new\\x.xml", "<skin/>"}, {L"keep.txt", "not in the update"},
                      {L"update\\version.dat", "2.0"}};

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
        for (const wchar_t* path : {L"Update\\Mendport\\Download", L"Update\\Mendport\\Backup",
                                    L"Update\\Mendport\\Mendport.lock"})
            EXPECT_FALSE(m_folder.Exists(path)) << path;
    }

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
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring updater(self);
    updater = updater.substr(0, updater.find_last_of(L'\\')) + L"\\Update\\Mendport.exe";
    const std::wstring program = m_folder.File(L"Update\\Mendport.exe");
    ASSERT_TRUE(CopyFileW(updater.c_str(), program.c_str(), FALSE));

    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + program + L"\"";
    ASSERT_TRUE(CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    DWORD waited = WaitForSingleObject(process.hProcess, 60000);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(WAIT_OBJECT_0, waited);
    EXPECT_EQ((DWORD)UPDATER_INSTALLED, exitCode);
    EXPECT_EQ(kAfter, Installed());
}

}  // namespace
