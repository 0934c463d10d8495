#include <gtest/gtest.h>

#include "CrashUploadFixture.h"

namespace {

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
