#include <gtest/gtest.h>

#include <string>

#include "portable/RequestLayout.h"

namespace {

struct ServerUrlCase {
    const char* name;
    std::string url;
    bool ok;
    std::string base;
    std::string prefix;
    std::string requestTarget;  // of the template "ofs/info.php"
};

void PrintTo(const ServerUrlCase& c, std::ostream* out) { *out << c.name; }

class ServerUrlTest : public testing::TestWithParam<ServerUrlCase> {};

TEST_P(ServerUrlTest, Splits) {
    const ServerUrlCase& c = GetParam();
    std::string base = "unset", prefix = "unset";
    ASSERT_EQ(c.ok, SplitServerUrl(c.url, base, prefix));
    if (!c.ok) return;
    EXPECT_EQ(c.base, base);
    EXPECT_EQ(c.prefix, prefix);
    EXPECT_EQ(c.requestTarget, UrlPath(prefix, "ofs/info.php"));
}

INSTANTIATE_TEST_SUITE_P(
    Urls, ServerUrlTest,
    testing::Values(
        ServerUrlCase{"SecureWithTrailingSlash", "https://host/svc/", true, "https://host", "svc", "/svc/ofs/info.php"},
        ServerUrlCase{"PortAndTwoWords", "http://host:8080/a/b", true, "http://host:8080", "a/b", "/a/b/ofs/info.php"},
        ServerUrlCase{"NoPath", "http://host", true, "http://host", "", "/ofs/info.php"},
        ServerUrlCase{"RootOnly", "http://host/", true, "http://host", "", "/ofs/info.php"},
        ServerUrlCase{"ServiceWord", "http://10.0.0.1:81/vaultbox-service", true, "http://10.0.0.1:81",
                      "vaultbox-service", "/vaultbox-service/ofs/info.php"},
        // The search starts at index 8: a one-letter host is found past its first character.
        ServerUrlCase{"OneLetterHost", "http://h/x", true, "http://h", "x", "/x/ofs/info.php"},
        ServerUrlCase{"Short", "abc", true, "abc", "", "/ofs/info.php"},
        ServerUrlCase{"HostPartBelowLimit", "http://" + std::string(1016, 'h') + "/p", true,
                      "http://" + std::string(1016, 'h'), "p", "/p/ofs/info.php"},
        ServerUrlCase{"HostPartOverLimit", "http://" + std::string(1017, 'h') + "/p", false},
        ServerUrlCase{"LongUrlWithoutPath", "http://" + std::string(1017, 'h'), false}),
    [](const testing::TestParamInfo<ServerUrlCase>& info) { return std::string(info.param.name); });

TEST(RequestLayoutTest, UploadLayoutHasItsFixedLengths) {
    const std::string name = "photo.jpg";
    std::string head = FileUploadHead(name);
    EXPECT_EQ(100 + name.size(), head.size());
    EXPECT_EQ(45u, FILE_UPLOAD_MIDDLE.size());
    EXPECT_EQ(48u, MULTIPART_TAIL.size());
    EXPECT_EQ(std::string("-----------------------------7d91d42a3051e\r\n"
                          "Content-Disposition: form-data; name=\"upfile\";filename=\"photo.jpg"),
              head);
    EXPECT_EQ("\r\n-----------------------------7d91d42a3051e--\r\n", MULTIPART_TAIL);
}

TEST(RequestLayoutTest, PieceHeadNamesKeyAndInclusiveRange) {
    EXPECT_EQ(std::string("-----------------------------7d91d42a3051e\r\n"
                          "Content-Disposition: form-data; name=\"k\"\r\n\r\nKEY\r\n"
                          "-----------------------------7d91d42a3051e\r\n"
                          "Content-Disposition: form-data; name=\"rs\"\r\n\r\n1000\r\n"
                          "-----------------------------7d91d42a3051e\r\n"
                          "Content-Disposition: form-data; name=\"re\"\r\n\r\n1999\r\n"
                          "-----------------------------7d91d42a3051e\r\n"
                          "Content-Disposition: form-data; name=\"chunk\"; filename=\"0\"\r\n"
                          "Content-Type: application/octet-stream\r\n\r\n"),
              PieceHead("KEY", 1000, 1000));
}

TEST(RequestLayoutTest, CreateBodyCutsAndEncodesTheName) {
    std::string md5(32, 'a'), sha1(40, 'b');
    EXPECT_EQ("n=crash%20log%261.dmp&s=application/octet-stream&m=" + md5 + "&sh=" + sha1 + "&sz=2500",
              LargeFileCreateBody("crash log&1.dmp", md5, sha1, 2500));
    // Only the first 128 characters of a long name are sent; sizes of 2 GiB and more stay positive.
    EXPECT_EQ("n=" + std::string(128, 'x') + "&s=application/octet-stream&m=" + md5 + "&sh=" + sha1 + "&sz=3000000000",
              LargeFileCreateBody(std::string(200, 'x'), md5, sha1, 3000000000u));
    EXPECT_EQ("k=a%26b", UploadFinishBody("a&b"));
}

TEST(RequestLayoutTest, RangeHeaderAndItsLimits) {
    EXPECT_EQ("Range: bytes=2000-2999\r\n", RangeHeader(2000, 1000));
    EXPECT_EQ("Range: bytes=0-0\r\n", RangeHeader(0, 1));
    EXPECT_EQ("Range: bytes=4294967295-4294967295\r\n", RangeHeader(4294967295u, 1));
    EXPECT_TRUE(IsRangeInLimits(4294967295u, 1));
    EXPECT_TRUE(IsRangeInLimits(0, 4294967295u));
    EXPECT_FALSE(IsRangeInLimits(4294967295u, 2));
    EXPECT_TRUE(IsRangeInLimits(1, 4294967295u));
    EXPECT_FALSE(IsRangeInLimits(2, 4294967295u));
    EXPECT_FALSE(IsRangeInLimits(100, 0));
}

TEST(RequestLayoutTest, MultipartFieldsRefuseQuotesAndLineBreaks) {
    EXPECT_TRUE(IsMultipartSafe("photo 1.jpg"));
    EXPECT_FALSE(IsMultipartSafe("a\".jpg"));
    EXPECT_FALSE(IsMultipartSafe("a\r\nContent-Type: text/html"));
    EXPECT_FALSE(IsMultipartSafe("a\nb"));
}

}  // namespace
