#include <cstring>

#include "StorageFixture.h"
#include "storage/StorageRequests.h"

namespace {

class LargeFileTest : public StorageTest {
public:
    void SetUp() override { SignIn(); }
    const std::string bytes = SampleBytes(2500, 5);
};

// As the crash-report sender does it: create, 1000-byte pieces from offset 0, finish.
TEST_F(LargeFileTest, SentInPiecesThenReadByRanges) {
    WriteFile("crash.dmp", bytes);
    char key[33] = {};
    ASSERT_EQ(FS_OK, storage->LargeFileCreate(folder.Path().c_str(), "crash.dmp", key, sizeof(key)))
        << storage->GetLastErrMsg();
    ASSERT_EQ(32u, strlen(key));
    std::optional<STORED_LARGE_FILE> announced = service.LargeFile(key);
    ASSERT_TRUE(announced);
    EXPECT_EQ("crash.dmp", announced->name);
    EXPECT_EQ(2500u, announced->size);
    EXPECT_EQ(SystemMd5(bytes), announced->md5);
    EXPECT_EQ(SystemSha1(bytes), announced->sha1);

    for (unsigned long offset = 0; offset < bytes.size(); offset += 1000) {
        std::string piece = bytes.substr(offset, 1000);
        ASSERT_EQ(FS_OK, storage->LargeFileUpload(key, &piece[0], piece.size(), offset)) << storage->GetLastErrMsg();
    }
    ASSERT_EQ(FS_OK, storage->LargeFileUploadFinish(key)) << storage->GetLastErrMsg();
    EXPECT_TRUE(service.LargeFile(key)->finished);  // the service found both checksums right

    char name[64], second[64], third[64];
    unsigned long size = 0;
    ASSERT_EQ(FS_OK, storage->LargeFileGetInfo(UID, key, name, sizeof(name), size, second, third))
        << storage->GetLastErrMsg();
    EXPECT_EQ(2500u, size);
    EXPECT_STREQ("crash.dmp", name);
    EXPECT_STREQ(LoopbackStorageService::CREATE_TIME, second);
    EXPECT_EQ(SystemMd5(bytes), third);

    std::string read;
    for (unsigned long offset = 0; offset < 3000; offset += 1000) {
        char buffer[1000];
        unsigned long length = sizeof(buffer);
        ASSERT_EQ(FS_OK, storage->LargeFileDownload(UID, key, offset, buffer, length)) << storage->GetLastErrMsg();
        EXPECT_EQ(offset < 2000 ? 1000u : 500u, length);
        read.append(buffer, length);
    }
    EXPECT_EQ(bytes, read);
}

TEST_F(LargeFileTest, ListRenewDepotAndRemove) {
    std::string key = StoreLargeFile("crash.log", bytes);
    std::vector<LargeFileInfo> list(3);  // emptied before it is filled
    ASSERT_EQ(FS_OK, storage->LargeFileGetList(list)) << storage->GetLastErrMsg();
    ASSERT_EQ(1u, list.size());
    EXPECT_EQ(key, list[0].fkey);
    EXPECT_STREQ("crash.log", list[0].fname);
    EXPECT_EQ(2500, list[0].fsize);
    EXPECT_EQ(SystemMd5(bytes), list[0].fmd5);
    EXPECT_EQ(SystemSha1(bytes), list[0].fsha1);
    EXPECT_STREQ(LoopbackStorageService::CREATE_TIME, list[0].createtime);
    EXPECT_EQ(1, list[0].finish);
    EXPECT_EQ(LoopbackStorageService::KEEP_MINUTES, list[0].leftminute);

    EXPECT_EQ(FS_OK, storage->LargeFileRenewTime(key.c_str())) << storage->GetLastErrMsg();
    EXPECT_EQ(LoopbackStorageService::RENEWED_MINUTES, service.LargeFile(key)->leftMinutes);

    double space = 0, size = 0, freeSpace = 0;
    ASSERT_EQ(FS_OK, storage->LargeFileDepotInfo(space, size, freeSpace)) << storage->GetLastErrMsg();
    EXPECT_DOUBLE_EQ(LoopbackStorageService::TOTAL_SPACE, space);
    EXPECT_DOUBLE_EQ(2500, size);
    EXPECT_DOUBLE_EQ(LoopbackStorageService::TOTAL_SPACE - 2500, freeSpace);

    EXPECT_EQ(FS_OK, storage->LargeFileRemove(key.c_str())) << storage->GetLastErrMsg();
    ASSERT_EQ(FS_OK, storage->LargeFileGetList(list));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(404, storage->LargeFileRemove(key.c_str()));
    EXPECT_STREQ("Response code=404, errorinfo=no such large file", storage->GetLastErrMsg());
}

TEST_F(LargeFileTest, FailedListRequestLeavesTheListAlone) {
    std::vector<LargeFileInfo> list(2);
    strcpy(list[0].fname, "kept");
    service.ScriptFault("ofs/files_rest.php", StorageFault::Status(500), 2);
    EXPECT_EQ(500, storage->LargeFileGetList(list));
    ASSERT_EQ(2u, list.size());
    EXPECT_STREQ("kept", list[0].fname);
}

// A large file is no upload road: its conflict is handed back.
TEST_F(LargeFileTest, SameFileTwiceIsAConflict) {
    std::string key = StoreLargeFile("crash.dmp", bytes);
    char second[33] = "unchanged";
    EXPECT_EQ(409, storage->LargeFileCreate(folder.Path().c_str(), "crash.dmp", second, sizeof(second)));
    EXPECT_STREQ("Response code=409, errorinfo=large file exists", storage->GetLastErrMsg());
    EXPECT_STREQ("unchanged", second);
}

TEST_F(LargeFileTest, OnlyTheFirst128CharactersOfTheNameAreSent) {
    std::string name = std::string(130, 'n');
    WriteFile(name, bytes);
    char key[33] = {};
    ASSERT_EQ(FS_OK, storage->LargeFileCreate(folder.Path().c_str(), name.c_str(), key, sizeof(key)))
        << storage->GetLastErrMsg();
    EXPECT_EQ(name.substr(0, 128), service.LargeFile(key)->name);
}

// The key is cut to its buffer, which stays terminated.
TEST_F(LargeFileTest, KeyIsCutToItsBuffer) {
    WriteFile("crash.dmp", bytes);
    char block[16];
    memset(block, '#', sizeof(block));
    ASSERT_EQ(FS_OK, storage->LargeFileCreate(folder.Path().c_str(), "crash.dmp", block, 9));
    EXPECT_EQ(8u, strlen(block));
    EXPECT_EQ(std::string(7, '#'), std::string(block + 9, 7));
}

// A file announced without its size and digests could never be finished: refused.
TEST_F(LargeFileTest, UnreadableFileIsNotAnnounced) {
    WriteFile("empty.log", "");
    char key[33] = "unchanged";
    for (const char* name : {"missing.log", "empty.log"}) {
        EXPECT_EQ(FS_ERR_LOCAL_FILE, storage->LargeFileCreate(folder.Path().c_str(), name, key, sizeof(key))) << name;
    }
    EXPECT_STREQ("unchanged", key);
    EXPECT_EQ(0, Count("ofs/upload_c_rest.php"));
}

TEST_F(LargeFileTest, FinishWithMissingPiecesIsRefusedByTheService) {
    WriteFile("crash.dmp", bytes);
    char key[33] = {};
    ASSERT_EQ(FS_OK, storage->LargeFileCreate(folder.Path().c_str(), "crash.dmp", key, sizeof(key)));
    std::string piece = bytes.substr(0, 1000);
    ASSERT_EQ(FS_OK, storage->LargeFileUpload(key, &piece[0], 1000, 0));
    EXPECT_EQ(400, storage->LargeFileUploadFinish(key));
    EXPECT_STREQ("Response code=400, errorinfo=checksums do not match", storage->GetLastErrMsg());
}

TEST_F(LargeFileTest, PieceThatCannotBeDescribedIsRefused) {
    char data[4] = "abc";
    // No bytes, or an end past the 32-bit offsets.
    EXPECT_EQ(FS_ERR_BAD_ARGUMENT, storage->LargeFileUpload("k", data, 0, 0));
    EXPECT_EQ(FS_ERR_BAD_ARGUMENT, storage->LargeFileUpload("k", data, 3, 0xFFFFFFFEul));
    EXPECT_EQ(FS_ERR_BAD_ARGUMENT, storage->LargeFileUpload("k\r\nx", data, 3, 0));
    EXPECT_EQ(0, Count("ofs/upload_u_rest.php"));
}

TEST_F(LargeFileTest, ZeroLengthAsksForNothing) {
    std::string key = StoreLargeFile("crash.dmp", bytes);
    char buffer[1] = {'#'};
    unsigned long length = 0;
    EXPECT_EQ(FS_OK, storage->LargeFileDownload(UID, key.c_str(), 100, buffer, length));
    EXPECT_EQ(0u, length);
    EXPECT_EQ('#', buffer[0]);
    EXPECT_EQ(0, Count("ofs/down.php"));
}

// A server that ignores the range sends the whole file: nothing is copied past the
// buffer, and the bytes (which are not those asked for) are not handed out.
TEST_F(LargeFileTest, ReplyLongerThanTheRangeIsRefused) {
    std::string key = StoreLargeFile("crash.dmp", bytes);
    char block[1100];
    memset(block, '#', sizeof(block));
    unsigned long length = 1000;
    service.ScriptFault("ofs/down.php", StorageFault::Of(StorageFault::Kind::IgnoreRange));
    EXPECT_EQ(FS_ERR_LENGTH_MISMATCH, storage->LargeFileDownload(UID, key.c_str(), 1000, block, length));
    EXPECT_EQ(0u, length);
    EXPECT_EQ(std::string(sizeof(block), '#'), std::string(block, sizeof(block)));
}

// Every field of the file information is cut to nameSize bytes.
TEST_F(LargeFileTest, FileInformationStaysInsideItsBuffers) {
    std::string key = StoreLargeFile("a-long-crash-name.dmp", bytes);
    char name[16], second[16], third[16];
    memset(name, '#', sizeof(name));
    memset(second, '#', sizeof(second));
    memset(third, '#', sizeof(third));
    unsigned long size = 0;
    ASSERT_EQ(FS_OK, storage->LargeFileGetInfo(UID, key.c_str(), name, 6, size, second, third));
    EXPECT_STREQ("a-lon", name);
    EXPECT_STREQ("2024-", second);
    EXPECT_EQ(SystemMd5(bytes).substr(0, 5), third);
    EXPECT_EQ(2500u, size);
    for (const char* field : {name, second, third}) EXPECT_EQ(std::string(10, '#'), std::string(field + 6, 10));
}

TEST_F(LargeFileTest, UnknownFileInformationIsNotFound) {
    char name[16], second[16], third[16];
    unsigned long size = 7;
    EXPECT_EQ(404, storage->LargeFileGetInfo(UID, "nothing", name, sizeof(name), size, second, third));
    EXPECT_EQ(2, Count("ofs/down.php"));
    EXPECT_EQ(7u, size);
    EXPECT_STREQ("CHttpHelper::GetFileInfo() HTTP response fail:dwStatusCode=404", storage->GetLastErrMsg());
}

TEST_F(LargeFileTest, KeyTooLongForTheRequestPathIsRefused) {
    std::string key(300, 'k');
    EXPECT_EQ(FS_ERR_BAD_ARGUMENT, storage->LargeFileRenewTime(key.c_str()));
    EXPECT_EQ(0, Count("ofs/time_rest.php"));
}

}  // namespace
