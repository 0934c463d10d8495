#include <gtest/gtest.h>

#include <string>

#include "crypto/portable/Base64.h"

namespace {

std::string Encode(const std::string& bytes) {
    std::string out(Base64EncodedLength(bytes.size()) + 1, 'x');
    Base64Encode(&out[0], reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_EQ('\0', out.back());
    out.pop_back();
    return out;
}

TEST(Base64Test, EncodesTheRfcExamples) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.second, Encode(c.first)) << c.first;
}

TEST(Base64Test, UsesBothHighCharactersAndNoLineBreaks) {
    EXPECT_EQ("+/+/", Encode("\xfb\xff\xbf"));
    std::string long_text(200, '\xff');
    std::string encoded = Encode(long_text);
    EXPECT_EQ(std::string::npos, encoded.find_first_of("\r\n"));
    EXPECT_EQ(268u, encoded.size());
}

}  // namespace
