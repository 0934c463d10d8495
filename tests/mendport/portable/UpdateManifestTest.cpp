#include <gtest/gtest.h>

#include <ostream>

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

TEST(UpdateManifestTest, AnUpdateListsItsFiles) {
    UPDATE_MANIFEST manifest;
    ASSERT_TRUE(ParseCheckReply("update 2.0.1-beta_3\r\n"
                                "file 12345 89abcdef Zemovista.exe\r\n"
                                "file 0 00000000 Images/default/\xe6\x92\xad\xe6\x94\xbe.png\n"
                                "file 18446744073709551615 FFFFFFFF Update/Mendport.exe",
                                manifest));
    EXPECT_TRUE(manifest.Newer);
    EXPECT_EQ("2.0.1-beta_3", manifest.Version);
    ASSERT_EQ(3u, manifest.Files.size());
    EXPECT_EQ("Zemovista.exe", manifest.Files[0].Path);
    EXPECT_EQ(12345u, manifest.Files[0].Size);
    EXPECT_EQ(0x89abcdefu, manifest.Files[0].Crc32);
    EXPECT_EQ("Images/default/\xe6\x92\xad\xe6\x94\xbe.png", manifest.Files[1].Path);
    EXPECT_EQ(UINT64_MAX, manifest.Files[2].Size);
    EXPECT_EQ(0xFFFFFFFFu, manifest.Files[2].Crc32);
}

TEST(UpdateManifestTest, LettersThatDifferAsWindowsComparesThemAreTwoFiles) {
    // "ß" has no capital of its own; "Σ" and "ς" fold alike, "I" and "ı" do not.
    UPDATE_MANIFEST manifest;
    EXPECT_TRUE(ParseCheckReply("update 2.0\nfile 1 00000000 ss\nfile 1 00000000 \xc3\x9f\n"
                                "file 1 00000000 I\nfile 1 00000000 \xc4\xb1",
                                manifest));
    EXPECT_EQ(4u, manifest.Files.size());
    EXPECT_FALSE(ParseCheckReply("update 2.0\nfile 1 00000000 \xce\xa3\nfile 1 00000000 \xcf\x82", manifest));
}

TEST(UpdateManifestTest, AnUpdateMayOnlyChangeTheVersion) {
    UPDATE_MANIFEST manifest;
    ASSERT_TRUE(ParseCheckReply("update 3\n", manifest));
    EXPECT_TRUE(manifest.Newer);
    EXPECT_TRUE(manifest.Files.empty());
}

class RefusedReplyTest : public ::testing::TestWithParam<const char*> {};

TEST_P(RefusedReplyTest, IsRefusedAndLeavesNoManifest) {
    UPDATE_MANIFEST manifest;
    EXPECT_FALSE(ParseCheckReply(GetParam(), manifest));
    EXPECT_FALSE(manifest.Newer);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, RefusedReplyTest,
    ::testing::Values("", "\n", "Current", "current\nfile 1 00000000 a", "current\n\n", "newer 2.0",
                      "update", "update ", "update 2.0 beta", "update 2.0/1", "update 123456789012345678901234567890",
                      "update 2.0\nfile 1 00000000", "update 2.0\nfile 1 0000000 a",
                      "update 2.0\nfile 1 0000000g a", "update 2.0\nfile -1 00000000 a",
                      "update 2.0\nfile 99999999999999999999 00000000 a", "update 2.0\nfile  1 00000000 a",
                      "update 2.0\nFILE 1 00000000 a", "update 2.0\nfile 1 00000000 a\n\nfile 2 00000000 b",
                      // The same file twice, as Windows compares names.
                      "update 2.0\nfile 1 00000000 Zemovista.exe\nfile 1 00000000 ZEMOVISTA.EXE",
                      // ... also for letters outside ASCII: "Ä", "ä"; "Ж", "ж"; "Ｚ", "ｚ".
                      "update 2.0\nfile 1 00000000 \xc3\x84.png\nfile 1 00000000 \xc3\xa4.png",
                      "update 2.0\nfile 1 00000000 \xd0\x96/a\nfile 1 00000000 \xd0\xb6/a",
                      "update 2.0\nfile 1 00000000 \xef\xbc\xba\nfile 1 00000000 \xef\xbd\x9a",
                      // What could leave the program folder.
                      "update 2.0\nfile 1 00000000 ../evil.exe", "update 2.0\nfile 1 00000000 a/../../evil.exe",
                      "update 2.0\nfile 1 00000000 /windows/evil.exe", "update 2.0\nfile 1 00000000 C:/evil.exe",
                      "update 2.0\nfile 1 00000000 a\\..\\evil.exe",
                      // The client's own files.
                      "update 2.0\nfile 1 00000000 update/version.dat",
                      "update 2.0\nfile 1 00000000 Update/Mendport/Config.ini",
                      "update 2.0\nfile 1 00000000 UPDATE/MENDPORT/Download/0"));

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
                      PathCase{"a>b", false}, PathCase{"a|b", false}, PathCase{"a\tb", false},
                      PathCase{"name.", false}, PathCase{"name ", false}, PathCase{"dir./x", false},
                      // Device names, in any case and with any extension, in any part.
                      PathCase{"CON", false}, PathCase{"nul", false}, PathCase{"Aux.txt", false},
                      PathCase{"a/PRN.tar.gz", false}, PathCase{"COM1", false}, PathCase{"lpt9.log/x", false},
                      PathCase{"com\xc2\xb9", false}, PathCase{"CON .txt", false}, PathCase{"CONOUT$", false},
                      PathCase{"CONSOLE", true}, PathCase{"COM10", true}, PathCase{"COM0", true},
                      PathCase{"xNUL", true}, PathCase{"a.CON", true},
                      // Bytes that are not UTF-8: a lone continuation, a cut sequence, an overlong "/".
                      PathCase{"a\x80", false}, PathCase{"\xe6\x92", false}, PathCase{"\xc0\xaf", false}));

}  // namespace
