#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "UpdateManifest.h"

namespace {

TEST(UpdateManifestTest, CurrentMeansNothingNewer) {
    for (const char* reply : {"current", "current\n", "current\r\n"}) {
        UPDATE_MANIFEST manifest;
        manifest.Newer = true;
        ASSERT_TRUE(ParseCheckReply(reply, manifest)) << reply;
        EXPECT_FALSE(manifest.Newer);
        EXPECT_TRUE(manifest.Files.empty());
    }
}

// A digest of 64 hex digits (its bytes 0x00 to 0x1f), and a signature line; whether the
// signature is right is the client's business, not the reader's.
#define DIGEST "000102030405060708090a0b0c0d0e0f101112131415161718191A1B1C1D1E1F"
#define SIGNED "signature 0123456789abcdef\n"

std::string DigestBytes() {
    std::string bytes;
    for (int i = 0; i < 32; ++i) bytes += (char)i;
    return bytes;
}

TEST(UpdateManifestTest, AnUpdateListsItsFilesAndKeepsWhatItsSignatureCovers) {
    const std::string covered =
        "update 2.0.1-beta_3\r\n"
        "file 12345 " DIGEST
        " Zemovista.exe\r\n"
        "file 0 " DIGEST
        " Images/default/\xe6\x92\xad\xe6\x94\xbe.png\n"
        "file 18446744073709551615 " DIGEST " Update/Mendport.exe\n";
    UPDATE_MANIFEST manifest;
    ASSERT_TRUE(ParseCheckReply(covered + "signature 00FF7a", manifest));
    EXPECT_TRUE(manifest.Newer);
    EXPECT_EQ("2.0.1-beta_3", manifest.Version);
    ASSERT_EQ(3u, manifest.Files.size());
    EXPECT_EQ("Zemovista.exe", manifest.Files[0].Path);
    EXPECT_EQ(12345u, manifest.Files[0].Size);
    EXPECT_EQ(DigestBytes(), manifest.Files[0].Sha256);
    EXPECT_EQ("Images/default/\xe6\x92\xad\xe6\x94\xbe.png", manifest.Files[1].Path);
    EXPECT_EQ(UINT64_MAX, manifest.Files[2].Size);
    EXPECT_EQ(covered, manifest.SignedText);
    EXPECT_EQ(std::string("\x00\xff\x7a", 3), manifest.Signature);
}

TEST(UpdateManifestTest, LettersThatDifferAsWindowsComparesThemAreTwoFiles) {
    // "ß" has no capital of its own; "Σ" and "ς" fold alike, "I" and "ı" do not.
    UPDATE_MANIFEST manifest;
    EXPECT_TRUE(ParseCheckReply("update 2.0\nfile 1 " DIGEST " ss\nfile 1 " DIGEST " \xc3\x9f\n"
                                "file 1 " DIGEST " I\nfile 1 " DIGEST " \xc4\xb1\n" SIGNED,
                                manifest));
    EXPECT_EQ(4u, manifest.Files.size());
    EXPECT_FALSE(
        ParseCheckReply("update 2.0\nfile 1 " DIGEST " \xce\xa3\nfile 1 " DIGEST " \xcf\x82\n" SIGNED, manifest));
}

TEST(UpdateManifestTest, AnUpdateMayOnlyChangeTheVersion) {
    UPDATE_MANIFEST manifest;
    ASSERT_TRUE(ParseCheckReply("update 3\n" SIGNED, manifest));
    EXPECT_TRUE(manifest.Newer);
    EXPECT_TRUE(manifest.Files.empty());
    EXPECT_EQ("update 3\n", manifest.SignedText);
}

class RefusedReplyTest : public ::testing::TestWithParam<const char*> {};

TEST_P(RefusedReplyTest, IsRefusedAndLeavesNoManifest) {
    UPDATE_MANIFEST manifest;
    EXPECT_FALSE(ParseCheckReply(GetParam(), manifest));
    EXPECT_FALSE(manifest.Newer);
}

// Each update is signed but for what the case is about.
INSTANTIATE_TEST_SUITE_P(
    Replies, RefusedReplyTest,
    ::testing::Values(
        "", "\n", "Current", "current\nfile 1 " DIGEST " a", "current\n\n", "newer 2.0", "update", "update ",
        "update 2.0 beta\n" SIGNED, "update 2.0/1\n" SIGNED, "update 123456789012345678901234567890\n" SIGNED,
        "update 2.0\nfile 1 " DIGEST "\n" SIGNED, "update 2.0\nfile 1 " DIGEST "0 a\n" SIGNED,
        "update 2.0\nfile 1 " DIGEST "g a\n" SIGNED, "update 2.0\nfile 1 0001 a\n" SIGNED,
        "update 2.0\nfile -1 " DIGEST " a\n" SIGNED, "update 2.0\nfile 99999999999999999999 " DIGEST " a\n" SIGNED,
        "update 2.0\nfile  1 " DIGEST " a\n" SIGNED, "update 2.0\nFILE 1 " DIGEST " a\n" SIGNED,
        "update 2.0\nfile 1 " DIGEST " a\n\nfile 2 " DIGEST " b\n" SIGNED,
        // Unsigned, a signature that is no hex or too long, or not the last line.
        "update 2.0\nfile 1 " DIGEST " a\n", "update 2.0\n", "update 2.0\nsignature\n", "update 2.0\nsignature 0g\n",
        "update 2.0\nsignature 012\n", "update 2.0\nSIGNATURE 00\n", "update 2.0\nsignature 00\nfile 1 " DIGEST " a\n",
        "update 2.0\n" SIGNED SIGNED,
        // The same file twice, as Windows compares names.
        "update 2.0\nfile 1 " DIGEST " Zemovista.exe\nfile 1 " DIGEST " ZEMOVISTA.EXE\n" SIGNED,
        // ... also for letters outside ASCII: "Ä", "ä"; "Ж", "ж"; "Ｚ", "ｚ".
        "update 2.0\nfile 1 " DIGEST " \xc3\x84.png\nfile 1 " DIGEST " \xc3\xa4.png\n" SIGNED,
        "update 2.0\nfile 1 " DIGEST " \xd0\x96/a\nfile 1 " DIGEST " \xd0\xb6/a\n" SIGNED,
        "update 2.0\nfile 1 " DIGEST " \xef\xbc\xba\nfile 1 " DIGEST " \xef\xbd\x9a\n" SIGNED,
        // What could leave the program folder.
        "update 2.0\nfile 1 " DIGEST " ../evil.exe\n" SIGNED, "update 2.0\nfile 1 " DIGEST " a/../../evil.exe\n" SIGNED,
        "update 2.0\nfile 1 " DIGEST " /windows/evil.exe\n" SIGNED,
        "update 2.0\nfile 1 " DIGEST " C:/evil.exe\n" SIGNED, "update 2.0\nfile 1 " DIGEST " a\\..\\evil.exe\n" SIGNED,
        // The client's own files.
        "update 2.0\nfile 1 " DIGEST " update/version.dat\n" SIGNED,
        "update 2.0\nfile 1 " DIGEST " Update/Mendport/Config.ini\n" SIGNED,
        "update 2.0\nfile 1 " DIGEST " UPDATE/MENDPORT/Download/0\n" SIGNED));

TEST(UpdateManifestTest, TheSignatureMayNotBeLongerThanAKeyOfEightThousandBits) {
    UPDATE_MANIFEST manifest;
    EXPECT_TRUE(ParseCheckReply("update 2.0\nsignature " + std::string(2048, 'a'), manifest));
    EXPECT_FALSE(ParseCheckReply("update 2.0\nsignature " + std::string(2050, 'a'), manifest));
}

struct PathCase {
    const char* path;
    bool safe;
};

void PrintTo(const PathCase& c, std::ostream* out) { *out << '"' << c.path << '"'; }

class RelativePathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(RelativePathTest, StaysInsideTheProgramFolder) {
    EXPECT_EQ(GetParam().safe, IsSafeRelativePath(GetParam().path)) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RelativePathTest,
    ::testing::Values(PathCase{"Zemovista.exe", true}, PathCase{"Images/default/a b.png", true},
                      PathCase{".hidden/x", true}, PathCase{"a..b", true}, PathCase{"\xe6\x92\xad", true},
                      PathCase{"", false}, PathCase{"a//b", false}, PathCase{"a/", false}, PathCase{"/a", false},
                      PathCase{".", false}, PathCase{"..", false}, PathCase{"a/./b", false}, PathCase{"a/../b", false},
                      PathCase{"a\\b", false}, PathCase{"C:a", false}, PathCase{"a.txt:stream", false},
                      PathCase{"a*", false}, PathCase{"a?", false}, PathCase{"a\"b", false}, PathCase{"a<b", false},
                      PathCase{"a>b", false}, PathCase{"a|b", false}, PathCase{"a\tb", false}, PathCase{"name.", false},
                      PathCase{"name ", false}, PathCase{"dir./x", false},
                      // Device names, in any case and with any extension, in any part.
                      PathCase{"CON", false}, PathCase{"nul", false}, PathCase{"Aux.txt", false},
                      PathCase{"a/PRN.tar.gz", false}, PathCase{"COM1", false}, PathCase{"lpt9.log/x", false},
                      PathCase{"com\xc2\xb9", false}, PathCase{"CON .txt", false}, PathCase{"CONOUT$", false},
                      PathCase{"CONSOLE", true}, PathCase{"COM10", true}, PathCase{"COM0", true},
                      PathCase{"xNUL", true}, PathCase{"a.CON", true},
                      // Bytes that are not UTF-8: a lone continuation, a cut sequence, an overlong "/".
                      PathCase{"a\x80", false}, PathCase{"\xe6\x92", false}, PathCase{"\xc0\xaf", false}));

}  // namespace
