#include <cstring>

#include "StorageFixture.h"
#include "storage/StorageRequests.h"

namespace {

class EmoticonTest : public StorageTest {
public:
    void SetUp() override { SignIn(); }
};

TEST_F(EmoticonTest, UploadListDownloadRemove) {
    const std::string bytes = SampleBytes(5000, 11);
    WriteFile("smile.gif", bytes);
    EXPECT_EQ(FS_OK, storage->EmoticonUpload(folder.Path().c_str(), "smile.gif", "big smile.gif"))
        << storage->GetLastErrMsg();
    EXPECT_EQ(FS_OK, storage->EmoticonUpload(folder.Path().c_str(), "smile.gif", "again.gif"));  // 409: the same bytes

    EmoticonInfo list[3];
    unsigned count = 0;
    ASSERT_EQ(FS_OK, storage->EmoticonGetList(list, 3, count)) << storage->GetLastErrMsg();
    ASSERT_EQ(1u, count);
    const std::string key = SystemMd5(bytes);
    EXPECT_EQ(key, list[0].fkey);
    EXPECT_STREQ("big smile.gif", list[0].fname);
    EXPECT_EQ(5000, list[0].fsize);

    EXPECT_EQ(FS_OK, storage->EmoticonDownload(UID, folder.Path().c_str(), key.c_str(), "copy.gif"));
    EXPECT_EQ(bytes, folder.Read("copy.gif"));

    EXPECT_EQ(FS_OK, storage->EmoticonRemove(key.c_str())) << storage->GetLastErrMsg();
    EXPECT_TRUE(service.EmoticonKeys(UID).empty());
    EXPECT_EQ(404, storage->EmoticonRemove(key.c_str()));
    EXPECT_STREQ("Response code=404, errorinfo=no such emoticon", storage->GetLastErrMsg());
}

TEST_F(EmoticonTest, AnotherUsersEmoticon) {
    service.PutEmoticon("2002 b&c", "k1", "wave.gif", "waving");
    EXPECT_EQ(FS_OK, storage->EmoticonDownload("2002 b&c", folder.Path().c_str(), "k1", "wave.gif"))
        << storage->GetLastErrMsg();
    EXPECT_EQ("waving", folder.Read("wave.gif"));
    EXPECT_EQ(404, storage->EmoticonDownload("2003", folder.Path().c_str(), "k1", "none.gif"));
}

struct CapacityCase {
    const char* name;
    unsigned stored;
    unsigned capacity;
    unsigned count;
};

void PrintTo(const CapacityCase& c, std::ostream* out) { *out << c.name; }

class EmoticonCapacityTest : public EmoticonTest, public testing::WithParamInterface<CapacityCase> {};

// The array is filled in reply order up to its capacity, count says how far, and the
// entries past it are not touched.
TEST_P(EmoticonCapacityTest, FillsWhatFits) {
    for (unsigned i = 0; i < GetParam().stored; ++i)
        service.PutEmoticon(UID, "key" + std::to_string(i), "e" + std::to_string(i) + ".gif", std::string(i + 1, 'x'));
    EmoticonInfo list[8];
    for (EmoticonInfo& entry : list) strcpy(entry.fname, "untouched");
    unsigned count = 99;
    ASSERT_EQ(FS_OK, storage->EmoticonGetList(list, GetParam().capacity, count)) << storage->GetLastErrMsg();
    EXPECT_EQ(GetParam().count, count);
    for (unsigned i = 0; i < count; ++i) {
        EXPECT_EQ("key" + std::to_string(i), list[i].fkey);
        EXPECT_EQ(int(i + 1), list[i].fsize);
    }
    for (unsigned i = count; i < 8; ++i) EXPECT_STREQ("untouched", list[i].fname) << i;
}

INSTANTIATE_TEST_SUITE_P(Lists, EmoticonCapacityTest,
                         testing::Values(CapacityCase{"Empty", 0, 5, 0}, CapacityCase{"ThreeOfFive", 3, 5, 3},
                                         CapacityCase{"AtCapacity", 5, 5, 5}, CapacityCase{"OverCapacity", 7, 5, 5},
                                         CapacityCase{"NoRoom", 2, 0, 0}),
                         [](const testing::TestParamInfo<CapacityCase>& info) { return std::string(info.param.name); });

TEST_F(EmoticonTest, ListThatFailsPartWaySetsNoCount) {
    service.PutEmoticon(UID, "key0", "a.gif", "a");
    service.ScriptFault("ods/files_rest.php", StorageFault::DropField("files"));
    EmoticonInfo list[2];
    unsigned count = 42;
    EXPECT_EQ(FS_ERR_JSON_REPLY, storage->EmoticonGetList(list, 2, count));
    EXPECT_EQ(42u, count);
    EXPECT_STREQ("Response code=1, errorinfo=get files error, it is not an array.", storage->GetLastErrMsg());
}

}  // namespace
