#include <regex>

#include "StorageFixture.h"

namespace {

using LogLinesTest = StorageTest;

TEST_F(LogLinesTest, CallEntryIsATraceLineWithItsPlace) {
    CapturedStdout out;
    SignIn();
    std::string text = out.Text();
    EXPECT_TRUE(std::regex_search(
        text,
        std::regex(
            R"(\[TRACE\] CFileStorage::UserLogin\(lpszUserName=alice smith&co=1%\) \[[^\]]*FileStorage\.cpp:\d+\]\r?\n)")))
        << text;
    EXPECT_TRUE(std::regex_search(
        text, std::regex(R"(\[DEBUG\] json result: result=200, uid=1001, sid=\w+, errorinfo=""\s\[)")))
        << text;
}

TEST_F(LogLinesTest, SessionExpiryIsAnInfoLine) {
    SignIn();
    WriteFile("crash.dmp", SampleBytes(100));
    service.ExpireSessions();
    CapturedStdout out;
    char key[33];
    ASSERT_EQ(FS_OK, storage->LargeFileCreate(folder.Path().c_str(), "crash.dmp", key, sizeof(key)));
    std::string text = out.Text();
    EXPECT_NE(std::string::npos, text.find("[INFO]  session expired when do file upload, try relogin to server ["))
        << text;
}

TEST_F(LogLinesTest, FailuresAreErrorLinesWithTheirText) {
    SignIn();
    CapturedStdout out;
    EXPECT_EQ(404, storage->EmoticonRemove("none"));
    EXPECT_NE(std::string::npos, out.Text().find("[ERROR] Response code=404, errorinfo=no such emoticon ["))
        << out.Text();
}

// The last-error text belongs to the process: the second object's failure replaces it.
TEST_F(LogLinesTest, ObjectsShareTheLastErrorText) {
    CFileStorage unconnected("", nullptr);
    EXPECT_EQ(401, storage->UserLogin(USER, "wrong"));
    EXPECT_STREQ("Response code=401, errorinfo=wrong user name or password", unconnected.GetLastErrMsg());
    EXPECT_EQ(FS_ERR_NOT_CONNECTED, unconnected.UserLogin(USER, PASSWORD));
    EXPECT_STREQ("Not connect to server.", storage->GetLastErrMsg());
    // A success leaves it as it was.
    SignIn();
    EXPECT_STREQ("Not connect to server.", storage->GetLastErrMsg());
}

// Outside texts never act as formats.
TEST_F(LogLinesTest, PercentSignsInTextsStayText) {
    SignIn();
    service.ScriptFault("ods/remove_rest.php", StorageFault::SetField("errorinfo", "%s%n%x"));
    EXPECT_EQ(404, storage->EmoticonRemove("%s%n"));
    EXPECT_STREQ("Response code=404, errorinfo=%s%n%x", storage->GetLastErrMsg());
    // A uid holding "%s" does not take the key's place in the path.
    service.PutEmoticon("%s", "k%s", "a.gif", "bytes");
    EXPECT_EQ(FS_OK, storage->EmoticonDownload("%s", folder.Path().c_str(), "k%s", "a.gif"))
        << storage->GetLastErrMsg();
    EXPECT_EQ("bytes", folder.Read("a.gif"));
}

}  // namespace
