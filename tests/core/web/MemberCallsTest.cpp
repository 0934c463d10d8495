#include <gtest/gtest.h>

#include "common/CommonHelpers.h"
#include "Md5Checksum.h"
#include "crypto/portable/StringCipher.h"
#include "services/AccountWebService.h"
#include "support/ServiceConfigFile.h"
#include "web/MemberCalls.h"

namespace {

// A signer that does not digest: its signatures are wrong.
class WrongSigner : public IStringEncryptAndDecrypt {
public:
    std::string Decrypt(const std::string&, const std::string&) override { return std::string(); }
    std::string Encrypt(const std::string&, const std::string&) override { return std::string(32, '0'); }
};

class MemberCallsTest : public testing::Test {
protected:
    MemberCallsTest() : m_config(m_service.ConfigText()) {
        m_service.AddAccount("tom", {"secret", "1001", "Tommy", "0", 88, true});
    }

    AccountWebService m_service;
    ServiceConfigFile m_config;
    CMd5EncryptAndDecrypt m_md5;
};

TEST_F(MemberCallsTest, SignRequestDigestsTheAnsiBytes) {
    EXPECT_STREQ(L"900150983cd24fb0d6963f7d28e17f72", SignRequest(m_md5, L"abc"));
    const uint8_t gbk[] = {0xD6, 0xD0};  // the one character in code page 936
    EXPECT_STREQ(CString(Md5HexOfBuffer(gbk, 2).c_str()), SignRequest(m_md5, L"\x4e2d"));
}

TEST_F(MemberCallsTest, TheServiceAcceptsTheSignedCalls) {
    EXPECT_EQ(88, GetGoldBalance(m_md5, L"1001"));
    EXPECT_TRUE(QueryNeedChooseAge(m_md5, L"1001"));
    EXPECT_FALSE(QueryNeedChooseAge(m_md5, L"9999"));
    UpdateIndulge(m_md5, L"1001", true, L"a b+c@\x4e2d.cn");
    std::vector<SIGNED_CALL> calls = m_service.SignedCalls();
    ASSERT_EQ(4u, calls.size());
    for (const SIGNED_CALL& call : calls) EXPECT_TRUE(call.SignatureValid) << call.Method;
    EXPECT_EQ("tm.wealth.getWealthByUid", calls[0].Method);
    EXPECT_EQ("gold", calls[0].Params["wealth_type"]);
    EXPECT_FALSE(calls[1].Params["a"].empty());
    EXPECT_EQ("a b+c@\xd6\xd0.cn", calls[3].Params["parent_email"]);
    EXPECT_EQ("1", calls[3].Params["is_12yearsold"]);
}

TEST_F(MemberCallsTest, AWrongSignatureIsRefused) {
    WrongSigner wrong;
    EXPECT_EQ(0, GetGoldBalance(wrong, L"1001"));
    EXPECT_FALSE(QueryNeedChooseAge(wrong, L"1001"));
    std::vector<SIGNED_CALL> calls = m_service.SignedCalls();
    ASSERT_EQ(2u, calls.size());
    EXPECT_FALSE(calls[0].SignatureValid);
    EXPECT_FALSE(calls[1].SignatureValid);
}

TEST_F(MemberCallsTest, WebPagesSignInAndOut) {
    WebLogin(L"S77");
    WebLogout();
    EXPECT_EQ(std::vector<std::string>{"S77"}, m_service.WebLoginSids());
    EXPECT_EQ(1, m_service.WebLogoutCount());
    EXPECT_STREQ(L"http://x/y", BuildWebLoginUrl(L"http://x/y", L""));
}

TEST_F(MemberCallsTest, AnUnreachableServiceGivesNothing) {
    m_config.Write(ServiceConfigFile::Section("gold_get", "127.0.0.1", std::to_string(UnusedLoopbackPort())) +
                   ServiceConfigFile::Section("age_need", "127.0.0.1", std::to_string(UnusedLoopbackPort())));
    EXPECT_EQ(0, GetGoldBalance(m_md5, L"1001"));
    EXPECT_FALSE(QueryNeedChooseAge(m_md5, L"1001"));
    EXPECT_TRUE(m_service.SignedCalls().empty());
}

}  // namespace
