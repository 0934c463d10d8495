#include <gtest/gtest.h>

#include "net/portable/PostUrl.h"

namespace {

struct PostUrlCase {
    const char* name;
    const char16_t* url;
    bool ok;
    bool secure;
    const char16_t* host;
    unsigned short port;
    const char16_t* object;
};

void PrintTo(const PostUrlCase& c, std::ostream* out) { *out << c.name; }

class PostUrlTest : public testing::TestWithParam<PostUrlCase> {};

TEST_P(PostUrlTest, Splits) {
    const PostUrlCase& c = GetParam();
    POST_URL_PARTS parts;
    ASSERT_EQ(c.ok, ParsePostUrl(c.url, parts));
    if (!c.ok) return;
    EXPECT_EQ(c.secure, parts.Secure);
    EXPECT_EQ(std::u16string(c.host), parts.Host);
    EXPECT_EQ(c.port, parts.Port);
    EXPECT_EQ(std::u16string(c.object), parts.Object);
}

INSTANTIATE_TEST_SUITE_P(
    Urls, PostUrlTest,
    testing::Values(
        PostUrlCase{"Plain", u"http://example.test/a/b?x=1", true, false, u"example.test", 80, u"/a/b?x=1"},
        // The host is lower-cased; path and query keep their case.
        PostUrlCase{"UpperSchemeKeepsPathCase", u"HTTP://Example.TEST/Path/Multi?Key=Val", true, false, u"example.test",
                    80, u"/Path/Multi?Key=Val"},
        PostUrlCase{"Port8080", u"http://host:8080/form", true, false, u"host", 8080, u"/form"},
        PostUrlCase{"Https", u"https://secure.test/pay", true, true, u"secure.test", 443, u"/pay"},
        PostUrlCase{"HttpsPortNoPath", u"HTTPS://secure.test:8443", true, true, u"secure.test", 8443, u"/"},
        PostUrlCase{"NoScheme", u"host.only", true, false, u"host.only", 80, u"/"},
        PostUrlCase{"LeadingSlash", u"/no/host", false}, PostUrlCase{"LeadingColon", u":80/x", false},
        PostUrlCase{"EmptyAfterScheme", u"http://", false}, PostUrlCase{"EmptyHost", u"http:///path", false},
        PostUrlCase{"EmptyPort", u"http://host:/x", false}, PostUrlCase{"LetterPort", u"http://host:abc/x", false},
        PostUrlCase{"PortZero", u"http://host:0/x", false}, PostUrlCase{"PortTooLarge", u"http://host:65536/x", false},
        PostUrlCase{"PortWithoutHost", u"http://:8080/x", false}, PostUrlCase{"Empty", u"", false}),
    [](const testing::TestParamInfo<PostUrlCase>& info) { return std::string(info.param.name); });

}  // namespace
