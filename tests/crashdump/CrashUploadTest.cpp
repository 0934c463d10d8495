#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "CrashUpload.h"
#include "files/ScratchFolder.h"
#include "storage/LoopbackStorageService.h"

namespace {

std::string Sample(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = char((i * 31 + seed * 7) % 251);
    return bytes;
}

std::string Ansi(const std::wstring& path) { return std::string(path.begin(), path.end()); }

// A crash's log and dump in two folders of their own, a "Mailer.ini" naming the
// loopback storage service, and its user.
struct CrashUpload {
    static constexpr const char* USER = "crash-reports";
    static constexpr const char* PASSWORD = "kavrel7391";

    CrashUpload() {
        service.AddUser(USER, PASSWORD, "2002");
        const std::string url = service.Url();  // http://127.0.0.1:<port>/vaultbox-service
        const std::string host = url.substr(7, url.find('/', 7) - 7);
        folder.Write(L"Mailer.ini", "[User Info]\r\nIP=" + host + "\r\nMail Name=" + USER + "\r\n");
        files.logFolder = Ansi(folder.Path()) + "logs";
        files.logName = "ERRORLOG 20261211 051500.log";
        files.dumpFolder = Ansi(folder.Path()) + "dumps";
        files.dumpName = "CRASH 20261211 051500.dmp";
        folder.Write(L"logs\\ERRORLOG 20261211 051500.log", log);
        folder.Write(L"dumps\\CRASH 20261211 051500.dmp", dump);
        sender = std::make_unique<CHttpSend>(Ansi(folder.File(L"Mailer.ini")));
        sender->SetUserName(USER);
        sender->SetPassword(PASSWORD);
    }
    // The stored large file of that name, finished.
    std::optional<STORED_LARGE_FILE> Stored(const std::string& name) const {
        std::vector<LargeFileInfo> list;
        CFileStorage storage(service.Url().c_str(), nullptr);
        storage.UserLogin(USER, PASSWORD);
        storage.LargeFileGetList(list);
        for (const LargeFileInfo& info : list)
            if (name == info.fname) return service.LargeFile(info.fkey);
        return std::nullopt;
    }

    const std::string log = Sample(2500, 1);
    const std::string dump = Sample(1500, 2);
    LoopbackStorageService service;
    ScratchFolder folder;
    CRASH_FILES files;
    std::unique_ptr<CHttpSend> sender;
};

class CrashUploadTest : public testing::Test, public CrashUpload {};

TEST_F(CrashUploadTest, BothFilesAreStoredFromTheirOwnFoldersInPiecesOf1000Bytes) {
    ASSERT_EQ(FS_OK, SendCrashFilesToStorage(files, *sender));
    for (const auto& [name, bytes] : {std::make_pair(files.logName, log), std::make_pair(files.dumpName, dump)}) {
        std::optional<STORED_LARGE_FILE> stored = Stored(name);
        ASSERT_TRUE(stored) << name;
        EXPECT_TRUE(stored->finished) << name;
        EXPECT_EQ(bytes, stored->data) << name;
    }
    EXPECT_EQ(3 + 2, service.RequestCount("ofs/upload_u_rest.php"));
    EXPECT_EQ(2, service.RequestCount("ofs/upload_e_rest.php"));
    EXPECT_EQ(1, service.RequestCount("logout_rest.php"));
    EXPECT_TRUE(service.Violations().empty());
}

TEST_F(CrashUploadTest, WithoutADumpOnlyTheLogIsSent) {
    files.dumpName.clear();
    ASSERT_EQ(FS_OK, SendCrashFilesToStorage(files, *sender));
    EXPECT_TRUE(Stored(files.logName));
    EXPECT_EQ(1, service.RequestCount("ofs/upload_c_rest.php"));
}

TEST_F(CrashUploadTest, AFailureOfEitherFileOrTheSignInFailsTheSend) {
    const struct {
        const char* what;
        void (*arrange)(CrashUpload&);
        bool dumpStored, logStored;
    } cases[] = {
        {"unreadable log", [](CrashUpload& t) { t.files.logName = "missing.log"; }, true, false},
        {"missing dump", [](CrashUpload& t) { t.files.dumpName = "missing.dmp"; }, false, true},
        {"refused sign-in", [](CrashUpload& t) { t.sender->SetPassword("wrong"); }, false, false},
        {"a piece refused",
         [](CrashUpload& t) { t.service.ScriptFault("ofs/upload_u_rest.php", StorageFault::JsonResult(507)); }, false,
         true},
    };
    for (const auto& c : cases) {
        CrashUpload t;
        c.arrange(t);
        EXPECT_NE(FS_OK, SendCrashFilesToStorage(t.files, *t.sender)) << c.what;
        EXPECT_EQ(c.dumpStored, t.Stored(t.files.dumpName) && t.Stored(t.files.dumpName)->finished) << c.what;
        EXPECT_EQ(c.logStored, t.Stored(t.files.logName).has_value()) << c.what;
    }
}

// The log's pieces must not land on the dump's key when the log cannot be announced.
TEST_F(CrashUploadTest, AFailedCreateOfTheLogLeavesTheStoredDumpAsItWas) {
    service.ScriptFault("ofs/upload_c_rest.php", StorageFault::Pass());
    service.ScriptFault("ofs/upload_c_rest.php", StorageFault::Status(500), 2);
    EXPECT_EQ(500, SendCrashFilesToStorage(files, *sender));
    std::optional<STORED_LARGE_FILE> stored = Stored(files.dumpName);
    ASSERT_TRUE(stored);
    EXPECT_EQ(dump, stored->data);
    EXPECT_TRUE(stored->finished);
    EXPECT_EQ(2, service.RequestCount("ofs/upload_u_rest.php"));  // the dump's only
    EXPECT_EQ(1, service.RequestCount("ofs/upload_e_rest.php"));
}

TEST_F(CrashUploadTest, ASecondSendAfterAFailureSignsInAfresh) {
    files.logName = "missing.log";
    EXPECT_NE(FS_OK, SendCrashFilesToStorage(files, *sender));
    files.logName = "ERRORLOG 20261211 051500.log";
    files.dumpName.clear();
    EXPECT_EQ(FS_OK, SendCrashFilesToStorage(files, *sender));
    EXPECT_EQ(2, service.RequestCount("login_rest.php"));
}

}  // namespace
