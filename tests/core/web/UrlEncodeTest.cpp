#include <gtest/gtest.h>

#include "web/UrlEncode.h"

namespace {

TEST(UrlEncodeTest, KeepsLettersAndDigitsAndEncodesTheRest) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"a b/c", L"a+b%2Fc"},
        {L"Zz09", L"Zz09"},
        {L"a\tb\nc\rd\x0b\x0c", L"a+b+c+d++"},
        {L"-_.~+=&?%", L"%2D%5F%2E%7E%2B%3D%26%3F%25"},
        {L"user@mail.cn", L"user%40mail%2Ecn"},
        {L"\x4e2d\x6587", L"%D6%D0%CE%C4"},  // code page 936
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.second, UrlEncode(c.first, false)) << CStringA(c.first).GetString();
}

TEST(UrlEncodeTest, EncodeAllTurnsEveryByteIntoDigits) { EXPECT_STREQ(L"%61%20%31", UrlEncode(L"a 1", true)); }

}  // namespace
