#include "ServiceCalls.h"

namespace {

class SessionExpiryTest : public CallTest {
public:
    // Signs in, prepares, lets the session expire, runs the call; checks that it
    // relogged in once and repeated its request, or handed the 403 back untouched.
    void ExpectRule(bool relogin) {
        SignIn();
        GetParam().prepare(*this);
        service.ExpireSessions();
        int logins = Count("login_rest.php");
        int before = Count(GetParam().endpoint);
        int result = GetParam().run(*this);
        if (relogin) {
            EXPECT_EQ(FS_OK, result) << storage->GetLastErrMsg();
            EXPECT_EQ(logins + 1, Count("login_rest.php"));
            EXPECT_EQ(before + 2, Count(GetParam().endpoint));
        } else {
            EXPECT_EQ(FS_RESULT_SESSION_EXPIRED, result);
            EXPECT_EQ(logins, Count("login_rest.php"));
            EXPECT_EQ(before + 1, Count(GetParam().endpoint));
        }
    }
};

using JsonExpiryTest = SessionExpiryTest;
using HttpExpiryTest = SessionExpiryTest;

TEST_P(JsonExpiryTest, FollowsTheCallsRule) { ExpectRule(GetParam().reloginOnJson); }

TEST_P(HttpExpiryTest, FollowsTheCallsRule) {
    service.AnswerExpiredWithHttpStatus(true);
    ExpectRule(GetParam().reloginOnHttp);
}

INSTANTIATE_TEST_SUITE_P(Calls, JsonExpiryTest, testing::ValuesIn(ServiceCalls([](const SERVICE_CALL& call) {
                             return call.needsSession && !call.bytesReply;
                         })),
                         CallName);
INSTANTIATE_TEST_SUITE_P(Calls, HttpExpiryTest,
                         testing::ValuesIn(ServiceCalls([](const SERVICE_CALL& call) { return call.needsSession; })),
                         CallName);

using RepeatedExpiryTest = CallTest;

// The repeat after a relogin meets the same answer: it is handed back, with no second relogin.
TEST_P(RepeatedExpiryTest, SecondExpiryIsHandedBack) {
    SignIn();
    GetParam().prepare(*this);
    int logins = Count("login_rest.php");
    int before = Count(GetParam().endpoint);
    StorageFault expired = GetParam().reloginOnHttp ? StorageFault::Status(403) : StorageFault::JsonResult(403);
    service.ScriptFault(GetParam().endpoint, expired, 2);
    EXPECT_EQ(FS_RESULT_SESSION_EXPIRED, GetParam().run(*this));
    EXPECT_EQ(logins + 1, Count("login_rest.php"));
    EXPECT_EQ(before + 2, Count(GetParam().endpoint));
}

INSTANTIATE_TEST_SUITE_P(Calls, RepeatedExpiryTest, testing::ValuesIn(ServiceCalls([](const SERVICE_CALL& call) {
                             return call.reloginOnHttp || call.reloginOnJson;
                         })),
                         CallName);

using ReloginTest = StorageTest;

TEST_F(ReloginTest, AtMostOnceAfterAJsonExpiry) {
    SignIn();
    service.ScriptFault("ods/files_rest.php", StorageFault::JsonResult(403), 2);
    EmoticonInfo list[2];
    unsigned count = 7;
    EXPECT_EQ(403, storage->EmoticonGetList(list, 2, count));
    EXPECT_EQ(7u, count);
    EXPECT_EQ(2, Count("login_rest.php"));
    EXPECT_EQ(2, Count("ods/files_rest.php"));
}

TEST_F(ReloginTest, UploadRepeatsOnceForEitherKind) {
    SignIn();
    WriteFile("pic.jpg", "picture");
    service.ScriptFault("ops/upload_rest.php", StorageFault::Status(403));
    service.ScriptFault("ops/upload_rest.php", StorageFault::JsonResult(403));
    EXPECT_EQ(403, storage->PictureUpload(folder.Path().c_str(), "pic.jpg"));
    EXPECT_EQ(2, Count("login_rest.php"));
    EXPECT_EQ(2, Count("ops/upload_rest.php"));
}

// The repeated upload keeps its own retry after a server error.
TEST_F(ReloginTest, RepeatedUploadStillRetriesAServerError) {
    SignIn();
    WriteFile("pic.jpg", "picture");
    service.ScriptFault("ops/upload_rest.php", StorageFault::JsonResult(403));
    service.ScriptFault("ops/upload_rest.php", StorageFault::Status(500));
    EXPECT_EQ(FS_OK, storage->PictureUpload(folder.Path().c_str(), "pic.jpg")) << storage->GetLastErrMsg();
    EXPECT_EQ(3, Count("ops/upload_rest.php"));
}

TEST_F(ReloginTest, LargeFileCreateRepeatsAfterEachKindOnce) {
    SignIn();
    WriteFile("crash.dmp", SampleBytes(2500));
    service.ScriptFault("ofs/upload_c_rest.php", StorageFault::Status(403));
    service.ScriptFault("ofs/upload_c_rest.php", StorageFault::JsonResult(403));
    char key[33] = {};
    EXPECT_EQ(FS_OK, storage->LargeFileCreate(folder.Path().c_str(), "crash.dmp", key, sizeof(key)))
        << storage->GetLastErrMsg();
    EXPECT_EQ(32u, strlen(key));
    EXPECT_EQ(3, Count("login_rest.php"));
    EXPECT_EQ(3, Count("ofs/upload_c_rest.php"));
}

TEST_F(ReloginTest, FailedReloginIsReturnedWithItsText) {
    SignIn();
    WriteFile("crash.dmp", SampleBytes(2500));
    service.ExpireSessions();
    service.AddUser(USER, "changed meanwhile", UID);
    char key[33] = {};
    EXPECT_EQ(401, storage->LargeFileCreate(folder.Path().c_str(), "crash.dmp", key, sizeof(key)));
    EXPECT_STREQ("relogin error, return 401", storage->GetLastErrMsg());
    EXPECT_EQ(1, Count("ofs/upload_c_rest.php"));
}

TEST_F(ReloginTest, SessionSignInIsUsedForTheRelogin) {
    ASSERT_EQ(FS_OK, storage->UserLogin(SESSION));
    service.ExpireSessions();
    EmoticonInfo list[1];
    unsigned count = 9;
    EXPECT_EQ(FS_OK, storage->EmoticonGetList(list, 1, count)) << storage->GetLastErrMsg();
    EXPECT_EQ(0u, count);
    EXPECT_EQ(2, Count("check.php"));
    EXPECT_EQ(0, Count("login_rest.php"));
}

}  // namespace
