#include "StorageFixture.h"

namespace {

class PictureTest : public StorageTest {
public:
    void SetUp() override { SignIn(); }
    const std::string bytes = SampleBytes(70000, 3);  // more than one 64 KiB piece
};

TEST_F(PictureTest, UploadAndDownloadKeepTheBytes) {
    WriteFile("photo.jpg", bytes);
    EXPECT_EQ(FS_OK, storage->PictureUpload(folder.Path().c_str(), "photo.jpg")) << storage->GetLastErrMsg();
    EXPECT_EQ(bytes, service.Picture(UID, "photo.jpg"));

    TempFolder other;
    EXPECT_EQ(FS_OK, storage->PictureDownload(other.Path().c_str(), "photo.jpg")) << storage->GetLastErrMsg();
    EXPECT_EQ(bytes, other.Read("photo.jpg"));
}

TEST_F(PictureTest, ExistingPictureCountsAsUploaded) {
    WriteFile("photo.jpg", bytes);
    ASSERT_EQ(FS_OK, storage->PictureUpload(folder.Path().c_str(), "photo.jpg"));
    EXPECT_EQ(FS_OK, storage->PictureUpload(folder.Path().c_str(), "photo.jpg"));  // 409 from the service
}

struct KeyCase {
    const char* name;
    std::string localName;
    std::optional<std::string> serviceKey;  // set in the reply; nullopt: the service's own
    int result;
};

void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.name; }

class PictureKeyTest : public PictureTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(PictureKeyTest, ComparesTheReturnedKeyWithTheName) {
    WriteFile(GetParam().localName, "picture");
    if (GetParam().serviceKey) {
        service.ScriptFault("ops/upload_rest.php", StorageFault::SetField("fkey", *GetParam().serviceKey));
    }
    EXPECT_EQ(GetParam().result, storage->PictureUpload(folder.Path().c_str(), GetParam().localName.c_str()));
    if (GetParam().result == FS_ERR_PICTURE_NAME_MISMATCH) {
        EXPECT_STREQ("PictureUpload() server file name not the same as local file!!!", storage->GetLastErrMsg());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PictureKeyTest,
    testing::Values(KeyCase{"SameName", "photo.jpg", std::nullopt, FS_OK},
                    KeyCase{"EmptyKey", "photo.jpg", std::string(), FS_OK},
                    KeyCase{"OtherName", "photo.jpg", std::string("photo2.jpg"), FS_ERR_PICTURE_NAME_MISMATCH},
                    KeyCase{"KeyIsAPrefix", "photo.jpg", std::string("photo"), FS_ERR_PICTURE_NAME_MISMATCH},
                    // Names beyond the old 36-character key buffer are compared whole.
                    KeyCase{"NameOf60Characters", std::string(56, 'p') + ".jpg", std::nullopt, FS_OK},
                    KeyCase{"LongNameDiffersAtTheEnd", std::string(56, 'p') + ".jpg", std::string(56, 'p') + ".png",
                            FS_ERR_PICTURE_NAME_MISMATCH}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(PictureTest, DownloadReplacesALongerFileWholly) {
    service.PutPicture(UID, "small.jpg", "new bytes");
    WriteFile("small.jpg", std::string(100000, 'o'));
    EXPECT_EQ(FS_OK, storage->PictureDownload(folder.Path().c_str(), "small.jpg")) << storage->GetLastErrMsg();
    EXPECT_EQ("new bytes", folder.Read("small.jpg"));
}

TEST_F(PictureTest, UnknownPictureIsNotFound) {
    EXPECT_EQ(404, storage->PictureDownload(folder.Path().c_str(), "missing.jpg"));
    EXPECT_STREQ("CHttpHelper::FileDownload() HTTP response fail:dwStatusCode=404", storage->GetLastErrMsg());
    EXPECT_FALSE(folder.Read("missing.jpg"));
}

TEST_F(PictureTest, UnwritableTargetIsALocalFileError) {
    service.PutPicture(UID, "photo.jpg", bytes);
    std::string missingFolder = folder.PathOf("no such folder");
    EXPECT_EQ(FS_ERR_LOCAL_FILE, storage->PictureDownload(missingFolder.c_str(), "photo.jpg"));
    EXPECT_EQ(missingFolder + "\\photo.jpg-120", storage->GetLastErrMsg());
}

// A local file that refuses the bytes fails the download, plain or coded. Under Wine
// the drive Z: is the host's root, where every write to /dev/full fails (disk full).
TEST_F(PictureTest, RefusedWriteFailsTheDownload) {
    service.PutPicture(UID, "full", bytes);
    for (bool coded : {false, true}) {
        if (coded) service.ScriptFault("ops/down.php", StorageFault::Of(StorageFault::Kind::Gzip));
        EXPECT_EQ(FS_ERR_LOCAL_FILE, storage->PictureDownload("Z:\\dev", "full")) << coded;
        EXPECT_STREQ("FileDownload() WriteFile error", storage->GetLastErrMsg()) << coded;
    }
}

TEST_F(PictureTest, MissingLocalFileSendsNothing) {
    EXPECT_EQ(FS_ERR_LOCAL_FILE, storage->PictureUpload(folder.Path().c_str(), "missing.jpg"));
    EXPECT_EQ(0, Count("ops/upload_rest.php"));
}

// A quote or line break would break the multipart layout: refused before sending.
TEST_F(PictureTest, NameThatWouldBreakTheLayoutIsRefused) {
    WriteFile("me.png", bytes);
    for (const char* name : {"a\".png", "a\r\nContent-Type: text/html"}) {
        EXPECT_EQ(FS_ERR_BAD_ARGUMENT, storage->UserPhotoUpload(folder.Path().c_str(), "me.png", name)) << name;
    }
    EXPECT_EQ(0, Count("ops/upload_rest.php"));
}

TEST_F(PictureTest, UserPhotoGoesUnderItsServerName) {
    WriteFile("me.png", bytes);
    EXPECT_EQ(FS_OK, storage->UserPhotoUpload(folder.Path().c_str(), "me.png", "avatar 1.png"))
        << storage->GetLastErrMsg();
    EXPECT_EQ(bytes, service.Picture(UID, "avatar 1.png"));
    EXPECT_EQ(FS_OK, storage->UserPhotoDownload(folder.Path().c_str(), "avatar 1.png", "copy.png"))
        << storage->GetLastErrMsg();
    EXPECT_EQ(bytes, folder.Read("copy.png"));
}

// Only the first 255 characters of a server file name are sent.
TEST_F(PictureTest, LongServerNameIsCut) {
    WriteFile("me.png", "photo");
    std::string name(300, 'n');
    EXPECT_EQ(FS_OK, storage->UserPhotoUpload(folder.Path().c_str(), "me.png", name.c_str()));
    EXPECT_EQ("photo", service.Picture(UID, name.substr(0, 255)));
}

}  // namespace
