#include <cstring>

#include "StorageFixture.h"

namespace {

using Kind = StorageFault::Kind;

constexpr int Z_BUF_ERROR_RESULT = -5;  // zlib's code for a stream that stopped early

struct FaultCase {
    const char* name;
    StorageFault fault;
    int result;
    const char* text;  // the start of the last-error text; null when the call succeeds
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

std::string CaseName(const testing::TestParamInfo<FaultCase>& info) { return info.param.name; }

class FaultTest : public StorageTest, public testing::WithParamInterface<FaultCase> {
public:
    void SetUp() override { SignIn(); }
    void ExpectText() {
        if (GetParam().text) {
            EXPECT_EQ(0, strncmp(GetParam().text, storage->GetLastErrMsg(), strlen(GetParam().text)))
                << storage->GetLastErrMsg();
        }
    }
};

using JsonReplyFaultTest = FaultTest;

// A JSON reply read into the storage space figures.
TEST_P(JsonReplyFaultTest, StorageSpace) {
    StoreLargeFile("crash.dmp", SampleBytes(2500));
    service.ScriptFault("ofs/info.php", GetParam().fault);
    double space = 0, size = 0, freeSpace = 0;
    EXPECT_EQ(GetParam().result, storage->LargeFileDepotInfo(space, size, freeSpace));
    ExpectText();
    if (GetParam().result == FS_OK) {
        EXPECT_DOUBLE_EQ(2500, size);
    }
    EXPECT_EQ(1, Count("ofs/info.php"));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, JsonReplyFaultTest,
    testing::Values(
        FaultCase{"Gzip", StorageFault::Of(Kind::Gzip), FS_OK, nullptr},
        FaultCase{"Deflate", StorageFault::Of(Kind::Deflate), FS_OK, nullptr},
        // A coded reply that stops early is an error, not Z_OK.
        FaultCase{"TruncatedGzip", StorageFault::Of(Kind::TruncatedGzip), Z_BUF_ERROR_RESULT,
                  "GetResponse() inflate() last return is not Z_STREAM_END, ret=-5"},
        FaultCase{"ShortOfItsContentLength", StorageFault::Of(Kind::WrongContentLength), FS_ERR_LENGTH_MISMATCH,
                  "result not expect, dwContentLength="},
        FaultCase{"UnknownEncoding", StorageFault::Of(Kind::UnknownEncoding), FS_ERR_CONTENT_ENCODING,
                  "HttpQueryInfo(HTTP_QUERY_CONTENT_ENCODING) not expected result in (gzip,deflate)"},
        // A length beyond 32 bits is read whole.
        FaultCase{"ShortOfContentLengthBeyond4GiB", StorageFault::ContentLength(5000000000u), FS_ERR_LENGTH_MISMATCH,
                  "result not expect, dwContentLength=5000000000, strResponse.size()="},
        FaultCase{"NonObjectRoot", StorageFault::Of(Kind::NonObjectRoot), FS_ERR_JSON_REPLY,
                  "Response code=1, errorinfo=get result error"},
        FaultCase{"MissingKey", StorageFault::DropField("totalsize"), FS_ERR_JSON_REPLY,
                  "Response code=1, errorinfo=get totalsize error"},
        FaultCase{"KeyOfWrongType", StorageFault::SetField("freespace", "plenty"), FS_ERR_JSON_REPLY,
                  "Response code=1, errorinfo=get freespace error"},
        // A failing result of the service is no transport status: it is not retried.
        FaultCase{"ServiceResult", StorageFault::JsonResult(500), 500, "Response code=500, errorinfo=scripted result"},
        FaultCase{"OtherStatus", StorageFault::Status(502), 502, "GetResponse() HTTP response fail:dwStatusCode=502"}),
    CaseName);

using DownloadFaultTest = FaultTest;

// A picture download written into its file, in several pieces.
TEST_P(DownloadFaultTest, PictureFile) {
    const std::string bytes = SampleBytes(150000, 4);
    service.PutPicture(UID, "photo.jpg", bytes);
    service.ScriptFault("ops/down.php", GetParam().fault);
    EXPECT_EQ(GetParam().result, storage->PictureDownload(folder.Path().c_str(), "photo.jpg"));
    ExpectText();
    if (GetParam().result == FS_OK) {
        EXPECT_EQ(bytes, folder.Read("photo.jpg"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DownloadFaultTest,
    testing::Values(FaultCase{"Gzip", StorageFault::Of(Kind::Gzip), FS_OK, nullptr},
                    FaultCase{"Deflate", StorageFault::Of(Kind::Deflate), FS_OK, nullptr},
                    FaultCase{"TruncatedGzip", StorageFault::Of(Kind::TruncatedGzip), Z_BUF_ERROR_RESULT,
                              "WriteFileDecompress() inflate() last return is not Z_STREAM_END, ret=-5"},
                    // The connection ends before the announced length: a cut-off file is no success.
                    FaultCase{"CutOffBody", StorageFault::Of(Kind::WrongContentLength), FS_ERR_LENGTH_MISMATCH,
                              "result not expect, dwContentLength=150010, strResponse.size()=150000"},
                    FaultCase{"CutOffBodyBeyond4GiB", StorageFault::ContentLength(5000000000u), FS_ERR_LENGTH_MISMATCH,
                              "result not expect, dwContentLength=5000000000, strResponse.size()=150000"},
                    FaultCase{"UnknownEncoding", StorageFault::Of(Kind::UnknownEncoding), FS_ERR_CONTENT_ENCODING,
                              "HttpQueryInfo(HTTP_QUERY_CONTENT_ENCODING) not expected result in (gzip,deflate)"}),
    CaseName);

TEST_F(StorageTest, UnknownEncodingCreatesNoFile) {
    SignIn();
    service.PutPicture(UID, "photo.jpg", "bytes");
    service.ScriptFault("ops/down.php", StorageFault::Of(Kind::UnknownEncoding));
    EXPECT_EQ(FS_ERR_CONTENT_ENCODING, storage->PictureDownload(folder.Path().c_str(), "photo.jpg"));
    EXPECT_FALSE(folder.Read("photo.jpg"));
}

// A range read's reply may come coded too; its length is the range's.
TEST_F(StorageTest, CodedRangeRead) {
    SignIn();
    const std::string bytes = SampleBytes(2500);
    std::string key = StoreLargeFile("crash.dmp", bytes);
    service.ScriptFault("ofs/down.php", StorageFault::Of(Kind::Gzip));
    char buffer[1000];
    unsigned long length = sizeof(buffer);
    ASSERT_EQ(FS_OK, storage->LargeFileDownload(UID, key.c_str(), 1000, buffer, length)) << storage->GetLastErrMsg();
    EXPECT_EQ(bytes.substr(1000, 1000), std::string(buffer, length));
}

}  // namespace
