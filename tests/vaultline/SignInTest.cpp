#include "StorageFixture.h"

namespace {

using SignInTest = StorageTest;

TEST_F(SignInTest, PasswordSignInSendsTheTextsUnchanged) {
    EXPECT_EQ(FS_OK, storage->UserLogin(USER, PASSWORD)) << storage->GetLastErrMsg();
    EXPECT_EQ(1, service.RequestCount("login_rest.php"));
    std::vector<EmoticonInfo> none;
    std::vector<LargeFileInfo> files;
    EXPECT_EQ(FS_OK, storage->LargeFileGetList(files)) << storage->GetLastErrMsg();
}

}  // namespace
