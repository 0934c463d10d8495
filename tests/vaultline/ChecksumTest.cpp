#include <windows.h>

#include <cstring>

#include "StorageFixture.h"

namespace {

// Reference digests from an independent implementation.
struct DigestCase {
    const char* name;
    std::string bytes;
    const char* md5;
    const char* sha1;
};

void PrintTo(const DigestCase& c, std::ostream* out) { *out << c.name; }

std::string Cycle(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = char((i % 256 * 7 + 3) & 0xff);
    return bytes;
}

std::string Counting(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = char(i);
    return bytes;
}

class FileChecksumTest : public StorageTest, public testing::WithParamInterface<DigestCase> {};

TEST_P(FileChecksumTest, MatchesKnownDigests) {
    WriteFile("data.bin", GetParam().bytes);
    unsigned long size = 0;
    char md5[33 + 4], sha1[41 + 4];
    memset(md5, '#', sizeof(md5));
    memset(sha1, '#', sizeof(sha1));
    EXPECT_EQ(FS_OK, storage->FileGetChecksum(folder.Path().c_str(), "data.bin", size, md5, sha1));
    EXPECT_EQ(GetParam().bytes.size(), size);
    EXPECT_STREQ(GetParam().md5, md5);
    EXPECT_STREQ(GetParam().sha1, sha1);
    EXPECT_EQ("####", std::string(md5 + 33, 4));  // 33 and 41 bytes written, no more
    EXPECT_EQ("####", std::string(sha1 + 41, 4));
}

INSTANTIATE_TEST_SUITE_P(Files, FileChecksumTest,
                         testing::Values(DigestCase{"ThreeLetters", "abc", "900150983cd24fb0d6963f7d28e17f72",
                                                    "a9993e364706816aba3e25717850c26c9cd0d89d"},
                                         DigestCase{"AllByteValues", Counting(2560), "9aec5fa312feff7a1d15b135181ffe04",
                                                    "f48a95799d144d5ad254355f1849533120dbec12"},
                                         // Spans three of the views the file is read through.
                                         DigestCase{"SeveralViews", Cycle((16u << 20) * 2 + 3),
                                                    "9afe6fcb4206a20c211ea2b61e3b2b24",
                                                    "ca898e9836ef530e35ade66aba58e33dafd2050f"}),
                         [](const testing::TestParamInfo<DigestCase>& info) { return std::string(info.param.name); });

// An unreadable file leaves empty digests and the size as it was; the result is still FS_OK.
TEST_F(StorageTest, UnreadableFileGivesEmptyDigests) {
    WriteFile("empty.bin", "");
    for (const char* name : {"empty.bin", "missing.bin"}) {
        unsigned long size = 1234;
        char md5[33] = "x", sha1[41] = "y";
        EXPECT_EQ(FS_OK, storage->FileGetChecksum(folder.Path().c_str(), name, size, md5, sha1)) << name;
        EXPECT_EQ(1234u, size) << name;
        EXPECT_STREQ("", md5) << name;
        EXPECT_STREQ("", sha1) << name;
    }
}

// A file of size bytes that holds no data (sparse on the host's disk).
void MakeHollowFile(const std::string& path, ULONGLONG size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    LARGE_INTEGER end;
    end.QuadPart = LONGLONG(size);
    EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);
}

// The size of a file of 4 GiB and more does not fit 32 bits: the file is refused, never
// taken by the low bits of its size (here: one byte).
TEST_F(StorageTest, FileOf4GiBAndMoreIsRefused) {
    SignIn();
    MakeHollowFile(folder.PathOf("huge.bin"), (4ull << 30) + 1);
    unsigned long size = 1234;
    char md5[33] = "x", sha1[41] = "y";
    EXPECT_EQ(FS_OK, storage->FileGetChecksum(folder.Path().c_str(), "huge.bin", size, md5, sha1));
    EXPECT_EQ(1234u, size);
    EXPECT_STREQ("", md5);
    EXPECT_STREQ("", sha1);
    char key[33] = "unchanged";
    EXPECT_EQ(FS_ERR_LOCAL_FILE, storage->LargeFileCreate(folder.Path().c_str(), "huge.bin", key, sizeof(key)));
    EXPECT_EQ(FS_ERR_LOCAL_FILE, storage->PictureUpload(folder.Path().c_str(), "huge.bin"));
    EXPECT_STREQ("unchanged", key);
    EXPECT_EQ(0, Count("ofs/upload_c_rest.php"));
    EXPECT_EQ(0, Count("ops/upload_rest.php"));
}

TEST_F(StorageTest, MissingFileLogsTheSystemsText) {
    CapturedStdout out;
    unsigned long size = 0;
    char md5[33], sha1[41];
    storage->FileGetChecksum(folder.Path().c_str(), "missing.bin", size, md5, sha1);
    std::string text = out.Text();
    size_t line = text.find("[ERROR] GetLastError()=2 : ");
    ASSERT_NE(std::string::npos, line) << text;
    // The system's message follows, and the line ends with the place in the source.
    std::string rest = text.substr(line + 27, text.find('\n', line) - line - 27);
    EXPECT_EQ(std::string::npos, rest.find("Sorry, cannot find this error info.")) << rest;
    EXPECT_NE(std::string::npos, rest.find("ChecksumHelper.cpp:")) << rest;
}

}  // namespace
