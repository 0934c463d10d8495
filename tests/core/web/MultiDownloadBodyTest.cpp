#include <gtest/gtest.h>

#include "web/MultiDownloadBody.h"

namespace {

std::vector<BYTE> Bytes(const std::string& text) { return std::vector<BYTE>(text.begin(), text.end()); }

// The tests run with code page 936, as the player's users have.
TEST(MultiDownloadBody, TheBodyIsLowerCasedWithItsCommasDecoded) {
    struct Case {
        std::string posted;
        std::string sent;
    } cases[] = {
        {"A%2Cb%2cC", "a,b,c"},
        {"AlbumID=7&FileID=101%2C102", "albumid=7&fileid=101,102"},
        {"x=%2C%2C%2c", "x=,,,"},
        {"x=%252C", "x=%252c"},
        {"x=%2", "x=%2"},
        {"", ""},
        {std::string("a=1\0b=2", 7), "a=1"},
        {"T=\xD6\xD0\xCE\xC4", "t=\xD6\xD0\xCE\xC4"},
        {"\xA3\xC1", "\xA3\xE1"},  // full-width A becomes full-width a, two bytes both
    };
    for (const Case& c : cases) {
        std::string sent = RewriteMultiDownloadBody(Bytes(c.posted));
        EXPECT_EQ(c.sent, sent) << c.posted;
        EXPECT_LE(sent.size(), c.posted.size());
    }
}

TEST(MultiDownloadBody, ABodyNeverGrowsPastWhatWasPosted) {
    // Bytes that are no character of the code page come back as "?" each, which may
    // take more room than they had; the body stops at the posted length.
    std::vector<BYTE> posted = {'a', 0x81, 'b', 0xFF, 0xFF, 0xFF};
    std::string sent = RewriteMultiDownloadBody(posted);
    EXPECT_LE(sent.size(), posted.size());
    EXPECT_EQ('a', sent[0]);
}

}  // namespace
