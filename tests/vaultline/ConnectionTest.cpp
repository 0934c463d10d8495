#include <gtest/gtest.h>

#include <string>

#include "FileStorage.h"
#include "http/LoopbackHttpServer.h"

namespace {

struct UrlCase {
    const char* name;
    std::string url;
    const char* textAfterConstruction;
};

void PrintTo(const UrlCase& c, std::ostream* out) { *out << c.name; }

class UnusableUrlTest : public testing::TestWithParam<UrlCase> {};

// The object stands, unconnected, and every call says so without touching the network.
TEST_P(UnusableUrlTest, LeavesNoConnection) {
    CFileStorage storage(GetParam().url.c_str(), nullptr);
    EXPECT_STREQ(GetParam().textAfterConstruction, storage.GetLastErrMsg());
    EXPECT_FALSE(storage.IsConnected());
    EXPECT_EQ(FS_ERR_NOT_CONNECTED, storage.UserLogin("alice", "secret"));
    EXPECT_STREQ("Not connect to server.", storage.GetLastErrMsg());
    std::vector<LargeFileInfo> list(2);
    EXPECT_EQ(FS_ERR_NOT_CONNECTED, storage.LargeFileGetList(list));
    EXPECT_EQ(2u, list.size());
    EXPECT_EQ(FS_ERR_NOT_CONNECTED, storage.UserLogout());
}

INSTANTIATE_TEST_SUITE_P(
    Urls, UnusableUrlTest,
    testing::Values(UrlCase{"Empty", "", "InternetCrackUrl error"},
                    UrlCase{"NotAUrl", "not a url at all", "InternetCrackUrl error"},
                    UrlCase{"HostTooLongForItsField", "http://" + std::string(70, 'h') + "/svc",
                            "InternetCrackUrl error"},
                    UrlCase{"HostPartOf1024Characters", "http://" + std::string(1017, 'h') + "/svc",
                            "CHttpHelper::CHttpHelper() index-lpszServerPrefix >= SERVER_URL_MAX_SIZE"},
                    UrlCase{"LongUrlWithoutPath", "http://" + std::string(1100, 'h'),
                            "CHttpHelper::CHttpHelper() index-lpszServerPrefix >= SERVER_URL_MAX_SIZE"}),
    [](const testing::TestParamInfo<UrlCase>& info) { return std::string(info.param.name); });

TEST(ConnectionTest, NullUrlLeavesNoConnection) {
    CFileStorage storage(nullptr, nullptr);
    EXPECT_FALSE(storage.IsConnected());
    EXPECT_EQ(FS_ERR_NOT_CONNECTED, storage.UserLogin("session"));
}

// Nothing listens: the connection handle exists, the send fails, and the status
// cannot be read (the platform may give 0, which must not pass as success).
TEST(ConnectionTest, RefusedPortFailsAtTheStatus) {
    std::string url = "http://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + "/vaultbox-service";
    CFileStorage storage(url.c_str(), nullptr);
    EXPECT_TRUE(storage.IsConnected());
    EXPECT_EQ(FS_ERR_STATUS_QUERY, storage.UserLogin("alice", "secret"));
    EXPECT_STREQ("HttpQueryInfo(HTTP_QUERY_STATUS_CODE) error", storage.GetLastErrMsg());
}

}  // namespace
