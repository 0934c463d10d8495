#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "crypto/portable/Base64.h"
#include "crypto/portable/DesCbc.h"
#include "web/AccountToken.h"

namespace {

SYSTEMTIME Time() {
    SYSTEMTIME t = {};
    t.wYear = 2024;
    t.wMonth = 1;
    t.wDay = 2;
    t.wHour = 3;
    t.wMinute = 4;
    t.wSecond = 5;
    return t;
}

// The token that the given UTF-8 text must give: DES-CBC, Base64, then "+", "/"
// and "=" percent-encoded.
CString TokenOf(const std::string& text) {
    std::vector<uint8_t> cipher(DesCbcEncrypt(nullptr, (const uint8_t*)text.data(), text.size()));
    DesCbcEncrypt(cipher.data(), (const uint8_t*)text.data(), text.size());
    std::string base64(Base64EncodedLength(cipher.size()) + 1, '\0');
    Base64Encode(&base64[0], cipher.data(), cipher.size());
    base64.pop_back();
    CString token;
    for (char c : base64) {
        if (c == '+')
            token += L"%2B";
        else if (c == '/')
            token += L"%2F";
        else if (c == '=')
            token += L"%3D";
        else
            token += (wchar_t)c;
    }
    return token;
}

TEST(AccountTokenTest, EnciphersTheStampedAccountText) {
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"tom", "20240102030405/{uid:1001,account:\"tom\",platform:\"None\"}"},
        {L"a\"b\\c", "20240102030405/{uid:1001,account:\"a\\\"b\\\\c\",platform:\"None\"}"},
        {L"\x5c0f\x660e", "20240102030405/{uid:1001,account:\"\xe5\xb0\x8f\xe6\x98\x8e\",platform:\"None\"}"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(TokenOf(c.second), BuildAccountTokenAt(Time(), L"1001", c.first)) << c.second;
}

TEST(AccountTokenTest, LongUserNamesFitTheirBuffers) {
    CString name(L'n', 2000);
    std::string text = "20240102030405/{uid:7,account:\"" + std::string(2000, 'n') + "\",platform:\"None\"}";
    EXPECT_STREQ(TokenOf(text), BuildAccountTokenAt(Time(), L"7", name));
}

TEST(AccountTokenTest, TheCurrentTokenHasNoCharacterThatAUrlWouldChange) {
    CString token = BuildAccountToken(L"1001", L"tom");
    EXPECT_FALSE(token.IsEmpty());
    EXPECT_EQ(-1, token.FindOneOf(L"+/= "));
}

}  // namespace
