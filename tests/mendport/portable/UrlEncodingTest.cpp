#include <gtest/gtest.h>

#include <string>

#include "UrlEncoding.h"

namespace {

TEST(UrlEncodingTest, KeepsTheUrlsPunctuationAndEncodesTheRest) {
    EXPECT_EQ("http://h:81/p/q?app=a&version=1.0", EscapeUrl("http://h:81/p/q?app=a&version=1.0"));
    EXPECT_EQ("http://h/p?app=%D3%B0%20%25%23%22x", EscapeUrl("http://h/p?app=\xd3\xb0 %#\"x"));
    EXPECT_EQ("%00%09%7F", EscapeUrl(std::string("\0\t\x7f", 3)));
}

TEST(UrlEncodingTest, EscapesAlreadyInTheUrlStayAsTheyAre) {
    // Values a caller encoded: "&" and "=" in them must not reach the service as separators.
    EXPECT_EQ("http://h/p?app=a%26b%3Dc&version=1%2E0", EscapeUrl("http://h/p?app=a%26b%3Dc&version=1%2E0"));
    EXPECT_EQ("%25zz%25a%25", EscapeUrl("%zz%a%"));
    EXPECT_EQ("%d3%B0", EscapeUrl("%d3%B0"));
}

TEST(UrlEncodingTest, AValueKeepsOnlyUnreservedCharacters) {
    EXPECT_EQ("aZ09-._~", PercentEncode("aZ09-._~"));
    EXPECT_EQ("a%20b%26c%3Dd%2B%25", PercentEncode("a b&c=d+%"));
    EXPECT_EQ("Images%2Fa%E6%92%AD", PercentEncode("Images/a\xe6\x92\xad"));
}

}  // namespace
