#include <gtest/gtest.h>

#include <string>

#include "SmtpText.h"

namespace {

std::string Repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

TEST(SmtpText, AReplyIsWholeOnlyWithItsLastLine) {
    const struct {
        const char* data;
        bool complete;
        int code;
    } cases[] = {
        {"220 ready\r\n", true, 220},
        {"250\r\n", true, 250},
        {"250-peer\r\n", false, 250},
        {"250-peer\r\n250-AUTH LOGIN\r\n", false, 250},
        {"250-peer\r\n250-AUTH LOGIN\r\n250 OK\r\n", true, 250},
        {"250-peer\r\n250 O", false, 250},
        {"334 VXNlcm5hbWU6", false, 334},
        {"235 ok\r", false, 235},
        {"", false, -1},
        {"25", false, -1},
        {"2x0 odd\r\n", true, -1},
        {"\r\n", true, -1},
    };
    for (const auto& c : cases) {
        const std::string data = c.data;
        EXPECT_EQ(c.complete, SmtpReplyComplete(data.data(), data.size())) << data;
        EXPECT_EQ(c.code, SmtpReplyCode(data.data(), data.size())) << data;
    }
}

TEST(SmtpText, Base64OfEveryPaddingLength) {
    const struct {
        std::string raw, encoded;
    } cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"foobar", "Zm9vYmFy"},
        {std::string("\xff\xfe\x00\x3f", 4), "//4APw=="},
        {Repeated("\xfb\xef\xbe", 18), std::string(72, '+')},  // a full attachment line
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.encoded, SmtpBase64Encode(c.raw)) << c.raw;
    }
}

TEST(SmtpText, LinesBeginningWithADotGetASecondOne) {
    const struct {
        const char* text;
        const char* stuffed;
    } cases[] = {
        {"plain\r\ntext", "plain\r\ntext"},
        {".", ".."},
        {"one\r\n.\r\nQUIT\r\n", "one\r\n..\r\nQUIT\r\n"},
        {".a\n..b\nc.d\r\n", "..a\n...b\nc.d\r\n"},
        {"end.\r\n.", "end.\r\n.."},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.stuffed, SmtpDotStuff(c.text)) << c.text;
}

}  // namespace
