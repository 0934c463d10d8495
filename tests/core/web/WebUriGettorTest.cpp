#include <gtest/gtest.h>

#include "support/ServiceConfigFile.h"
#include "web/WebUriGettor.h"

namespace {

struct UriCase {
    const char* ini;
    const wchar_t* key;
    bool noSession;
    const wchar_t* path;
    const wchar_t* expected;
};

const UriCase kCases[] = {
    {"[get_user]\r\nserver=10.0.0.5\r\nport=80\r\nurl=/u\r\n", L"get_user", true, L"", L"http://10.0.0.5/u"},
    {"[get_user]\r\nserver=10.0.0.5\r\nport=080\r\nurl=/u\r\n", L"get_user", true, L"", L"http://10.0.0.5:080/u"},
    {"[get_user]\r\nserver=host\r\nport=9000\r\n", L"get_user", true, L"/x", L"http://host:9000/default/x"},
    {"[other]\r\nserver=host\r\nport=80\r\n", L"get_user", true, L"", L"http://www.zemovista.com:8080/default"},
    {"", L"get_user", false, L"", L"http://www.zemovista.com:8080/default?sid=S1"},
    {"[get_user]\r\nserver=host\r\nport=80\r\nurl=/p\r\n", L"get_user", false, L"/q.php",
     L"http://host/p/q.php?sid=S1"},
};

class WebUriGettorTest : public testing::TestWithParam<UriCase> {};

TEST_P(WebUriGettorTest, BuildsTheAddressFromTheServiceSection) {
    ServiceConfigFile config(GetParam().ini);
    EXPECT_STREQ(GetParam().expected,
                 CWebUriGettor::GetUri(GetParam().key, L"/default", GetParam().noSession, GetParam().path, L"S1"));
}

INSTANTIATE_TEST_SUITE_P(Cases, WebUriGettorTest, testing::ValuesIn(kCases));

TEST(WebUriGettorFileTest, WithoutAFileEveryServiceGetsTheDefaults) {
    ServiceConfigFile config("");
    config.Remove();
    EXPECT_STREQ(L"http://www.zemovista.com:8080/restserver.php",
                 CWebUriGettor::GetUri(L"gold_get", L"/restserver.php", true, L"", L""));
}

}  // namespace
