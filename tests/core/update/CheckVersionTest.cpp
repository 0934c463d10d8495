#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "db/UpgradeHelper.h"
#include "files/ScratchFolder.h"
#include "http/LoopbackHttpServer.h"
#include "update/CheckVersion.h"
#include "update/LoopbackUpdateService.h"

namespace {

// A program folder of version 1.0.0.1 with the update client's library, whose client
// points at the loopback update service, which offers 2.0.0.1.
// Public: the cases below arrange it.
class CheckVersionTest : public ::testing::Test {
public:
    CheckVersionTest() {
        m_service.Publish("zemovista", "2.0.0.1", {{"Zemovista.exe", "new program"}});
        WriteClientFiles("zemovista", "1.0.0.1", m_service.ServerLine());
        Copy(L"MendportInterface.dll", L"MendportInterface.dll");
    }

    void WriteClientFiles(const std::string& app, const std::string& version, const std::string& server) {
        WriteUpdateClientFiles(m_folder,
                               {app, version, server, LoopbackUpdateService::IncrementWeb(), "Zemovista.exe"});
    }
    // A file from beside the test program into the program folder.
    void Copy(const std::wstring& name, const std::wstring& relativePath) const {
        ASSERT_TRUE(CopyFileW(BesideTheTestProgram(name).c_str(), m_folder.File(relativePath).c_str(), FALSE))
            << relativePath;
    }
    CString Folder() const { return CString(m_folder.Path().c_str()); }
    void Delete(const wchar_t* relativePath) const { DeleteFileW(m_folder.File(relativePath).c_str()); }

    LoopbackUpdateService m_service;
    ScratchFolder m_folder;
};

struct CheckCase {
    const char* name;
    std::function<void(CheckVersionTest&)> arrange;
    int result;
    bool newer;
    size_t checks;  // requests the service saw
};

void PrintTo(const CheckCase& c, std::ostream* out) { *out << c.name; }

class CheckResultTest : public CheckVersionTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckResultTest, GivesTheResultAndTheFlag) {
    GetParam().arrange(*this);
    CCheckVersion check(Folder());
    EXPECT_EQ(GetParam().result, check.Check());
    EXPECT_EQ(GetParam().newer, check.IsNewerVersion());
    EXPECT_EQ(GetParam().checks, m_service.Checks().size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckResultTest,
    ::testing::Values(
        CheckCase{"Older", [](CheckVersionTest&) {}, MENDPORT_NEWER, true, 1},
        CheckCase{"Newest",
                  [](CheckVersionTest& t) { t.WriteClientFiles("zemovista", "2.0.0.1", t.m_service.ServerLine()); },
                  MENDPORT_CURRENT, false, 1},
        CheckCase{"NoConfig", [](CheckVersionTest& t) { t.Delete(L"Update\\Mendport\\Config.ini"); }, 3, false, 0},
        CheckCase{"NoAppName", [](CheckVersionTest& t) { t.WriteClientFiles("", "1.0.0.1", t.m_service.ServerLine()); },
                  3, false, 0},
        // 200 characters of two bytes each: more than the 255 bytes the name may take.
        CheckCase{"AppNameTooLong",
                  [](CheckVersionTest& t) {
                      std::string name;
                      for (int i = 0; i < 200; ++i) name += "\xd3\xb0";
                      t.WriteClientFiles(name, "1.0.0.1", t.m_service.ServerLine());
                  },
                  3, false, 0},
        CheckCase{"NoVersionFile", [](CheckVersionTest& t) { t.Delete(L"update\\version.dat"); }, 1, false, 0},
        CheckCase{"NoSocketConfig", [](CheckVersionTest& t) { t.Delete(L"Update\\Mendport\\SocketConfig.ini"); }, 1,
                  false, 0},
        CheckCase{"ServerWithoutSpace",
                  [](CheckVersionTest& t) { t.WriteClientFiles("zemovista", "1.0.0.1", "127.0.0.1"); }, 1, false, 0},
        CheckCase{"ServiceDown",
                  [](CheckVersionTest& t) {
                      t.WriteClientFiles("zemovista", "1.0.0.1",
                                         "socket 127.0.0.1 " + std::to_string(UnusedLoopbackPort()));
                  },
                  MENDPORT_CHECK_FAILED, false, 0},
        CheckCase{"UnknownApp",
                  [](CheckVersionTest& t) { t.WriteClientFiles("other", "1.0.0.1", t.m_service.ServerLine()); },
                  MENDPORT_CHECK_FAILED, false, 1},
        CheckCase{"NoClientLibrary", [](CheckVersionTest& t) { t.Delete(L"MendportInterface.dll"); },
                  MENDPORT_CHECK_FAILED, false, 0},
        // A library of the same name that is no update client.
        CheckCase{"OtherLibrary",
                  [](CheckVersionTest& t) { t.m_folder.Write(L"MendportInterface.dll", "MZ not a library"); },
                  MENDPORT_CHECK_FAILED, false, 0}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST_F(CheckVersionTest, NoProgramFolderGivesThree) {
    CCheckVersion check(L"");
    EXPECT_EQ(3, check.Check());
    EXPECT_TRUE(m_service.Requests().empty());
}

TEST_F(CheckVersionTest, TheRequestCarriesAppNameAndTheInstalledVersionFromItsFirstThirtyBytes) {
    struct VersionFile {
        std::string bytes;
        const char* sent;
    };
    for (const VersionFile& file :
         {VersionFile{"1.0.0.1", "1.0.0.1"}, VersionFile{std::string("1.0\0junk", 8), "1.0"},
          VersionFile{"123456789012345678901234567890+tail", "123456789012345678901234567890"}, VersionFile{"", ""}}) {
        m_service.Publish("zemovista", file.sent, {});
        m_folder.Write(L"update\\version.dat", file.bytes);
        CCheckVersion check(Folder());
        EXPECT_EQ(MENDPORT_CURRENT, check.Check()) << file.sent;
    }
    std::vector<HttpRequest> requests = m_service.Requests();
    ASSERT_EQ(4u, requests.size());
    EXPECT_EQ("/mendport/check?app=zemovista&version=1.0.0.1", requests[0].target);
    EXPECT_EQ("/mendport/check?app=zemovista&version=1.0", requests[1].target);
    EXPECT_EQ("/mendport/check?app=zemovista&version=123456789012345678901234567890", requests[2].target);
    EXPECT_EQ("/mendport/check?app=zemovista&version=", requests[3].target);
}

TEST_F(CheckVersionTest, EachValueOfTheQueryIsPercentEncoded) {
    // A name and a version holding the query's own separators.
    const std::string app = "a&b=c#d %";
    const std::string version = "1.0&update=9";
    m_service.Publish(app, version, {});
    WriteClientFiles(app, version, m_service.ServerLine());
    CCheckVersion check(Folder());
    EXPECT_EQ(MENDPORT_CURRENT, check.Check());
    ASSERT_EQ(1u, m_service.Checks().size());
    EXPECT_EQ(app, m_service.Checks()[0].App);
    EXPECT_EQ(version, m_service.Checks()[0].Version);
    EXPECT_EQ("/mendport/check?app=a%26b%3Dc%23d%20%25&version=1.0%26update%3D9", m_service.Requests().at(0).target);
}

TEST_F(CheckVersionTest, AnAppNameOutsideAsciiIsSentInTheOemCodePage) {
    // "影音" in code page 936, as the installer writes it.
    const std::string app = "\xd3\xb0\xd2\xf4";
    m_service.Publish(app, "1.0.0.1", {});
    WriteClientFiles(app, "1.0.0.1", m_service.ServerLine());
    CCheckVersion check(Folder());
    EXPECT_EQ(MENDPORT_CURRENT, check.Check());
    ASSERT_EQ(1u, m_service.Checks().size());
    EXPECT_EQ(app, m_service.Checks()[0].App);
}

TEST_F(CheckVersionTest, OnlyTheFourthSlotOfTheFirstTableSetsTheFlag) {
    CCheckVersion check(Folder());
    IMendportEvent& sink = check;
    sink.OnDownloadProgress(0, 1, 2);
    sink.OnDownloadFinished(0);
    static_cast<IDecompressProgress&>(check).OnDecompressProgress(0, 50);
    static_cast<ICheckFIleProgress&>(check).OnCheckFileProgress(0, 0);
    sink.OnCheckStarted();
    sink.OnCheckFinished(0, 0);
    EXPECT_FALSE(check.IsNewerVersion());

    // Called as the client calls it: through the table's fourth entry.
    using Slot = bool(__attribute__((thiscall))*)(IMendportEvent*);
    Slot fourth = (*reinterpret_cast<Slot**>(&sink))[3];
    EXPECT_FALSE(fourth(&sink));
    EXPECT_TRUE(check.IsNewerVersion());
}

// The updater's run from CheckProgramUpdate: the program folder holds a copy of the
// updater, which installs what the service offers.
class ProgramUpdateTest : public CheckVersionTest {
protected:
    ProgramUpdateTest() { Copy(L"Update\\Mendport.exe", L"Update\\Mendport.exe"); }

    // Waits (at most 60 s) until the test holds.
    template <class Test>
    static bool WaitFor(Test test) {
        for (int i = 0; i < 600; ++i) {
            if (test()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    // Waits (at most 60 s) until the updater has installed the version and ended its work.
    bool WaitForInstalled(const std::string& version) const {
        return WaitFor([&] {
            return m_folder.Read(L"update\\version.dat") == version &&
                   !m_folder.Exists(L"Update\\Mendport\\Mendport.lock");
        });
    }
};

TEST_F(ProgramUpdateTest, ANewerVersionStartsTheUpdaterAndEndsTheStartUp) {
    m_folder.Write(L"Zemovista.exe", "old program");
    EXPECT_TRUE(CUpgradeHelper().CheckProgramUpdate(L"Zemovista.exe", Folder()));
    ASSERT_TRUE(WaitForInstalled("2.0.0.1"));
    EXPECT_EQ("new program", m_folder.Read(L"Zemovista.exe"));
}

TEST_F(ProgramUpdateTest, AnUpdateThatCannotBeInstalledStopsBeingOfferedAndTheProgramStarts) {
    // The installed program: a stand-in that notes each start.
    Copy(L"update_start_marker.exe", L"Zemovista.exe");
    m_service.Corrupt("Zemovista.exe", "broken program");
    CUpgradeHelper upgrade;

    // The first start is told of the update and ends; the updater fails and starts the program.
    EXPECT_TRUE(upgrade.CheckProgramUpdate(L"Zemovista.exe", Folder()));
    ASSERT_TRUE(WaitFor([this] {
        return m_folder.Read(L"started.txt") == "started\n" && !m_folder.Exists(L"Update\\Mendport\\Mendport.lock");
    }));
    EXPECT_EQ("1.0.0.1", m_folder.Read(L"update\\version.dat"));

    // The second and third starts take the main road.
    EXPECT_FALSE(upgrade.CheckProgramUpdate(L"Zemovista.exe", Folder()));
    EXPECT_FALSE(upgrade.CheckProgramUpdate(L"Zemovista.exe", Folder()));
    EXPECT_EQ(4u, m_service.Checks().size()) << "three starts and the updater";

    // A newer version is offered again.
    m_service.Publish("zemovista", "2.0.0.2", {{"Zemovista.exe", "new program"}});
    m_service.Corrupt("Zemovista.exe", "new program");  // sent whole this time
    EXPECT_TRUE(upgrade.CheckProgramUpdate(L"Zemovista.exe", Folder()));
    ASSERT_TRUE(WaitForInstalled("2.0.0.2"));
    EXPECT_EQ("new program", m_folder.Read(L"Zemovista.exe"));
}

TEST_F(ProgramUpdateTest, WithoutTheClientLibraryTheStartUpGoesOn) {
    Delete(L"MendportInterface.dll");
    EXPECT_FALSE(CUpgradeHelper().CheckProgramUpdate(L"Zemovista.exe", Folder()));
    EXPECT_TRUE(m_service.Requests().empty());
}

TEST_F(ProgramUpdateTest, AnUpdaterThatCannotBeStartedLetsTheStartUpGoOn) {
    Delete(L"Update\\Mendport.exe");
    EXPECT_FALSE(CUpgradeHelper().CheckProgramUpdate(L"Zemovista.exe", Folder()));
    EXPECT_EQ(1u, m_service.Checks().size());
}

TEST_F(ProgramUpdateTest, WithoutANewerVersionTheStartUpGoesOn) {
    CUpgradeHelper upgrade;
    WriteClientFiles("zemovista", "2.0.0.1", m_service.ServerLine());
    EXPECT_FALSE(upgrade.CheckProgramUpdate(L"Zemovista.exe", Folder()));
    WriteClientFiles("zemovista", "1.0.0.1", "socket 127.0.0.1 " + std::to_string(UnusedLoopbackPort()));
    EXPECT_FALSE(upgrade.CheckProgramUpdate(L"Zemovista.exe", Folder()));
    Delete(L"Update\\Mendport\\Config.ini");
    EXPECT_FALSE(upgrade.CheckProgramUpdate(L"Zemovista.exe", Folder()));
    EXPECT_FALSE(upgrade.CheckProgramUpdate(L"Zemovista.exe", L""));
    EXPECT_EQ(1u, m_service.Checks().size());
}

}  // namespace
