#include "AsyncFileReader.h"
#include "TempFile.h"

#include <gtest/gtest.h>

namespace {

TEST(AsyncFileReader, ReadsUpToTheLastByteAndRefusesBeyond) {
    CTempFile file(Pattern(100, 1));
    HRESULT hr = E_FAIL;
    CComRef<IAsyncReader> reader(new CAsyncFileReader(file.Path().c_str(), &hr));
    ASSERT_EQ(hr, S_OK);
    LONGLONG total = 0, available = 0;
    ASSERT_EQ(reader->Length(&total, &available), S_OK);
    EXPECT_EQ(total, 100);
    EXPECT_EQ(available, 100);
    BYTE buffer[4] = {};
    EXPECT_EQ(reader->SyncRead(99, 1, buffer), S_OK);
    EXPECT_EQ(buffer[0], Pattern(100, 1)[99]);
    EXPECT_EQ(reader->SyncRead(99, 2, buffer), E_FAIL);
    EXPECT_EQ(reader->SyncRead(-1, 1, buffer), E_FAIL);
    EXPECT_EQ(reader->Request(nullptr, 0), E_NOTIMPL);
    CComRef<IFileHandle> handle;
    ASSERT_EQ(handle.QueryFrom(reader.Get(), IID_IFileHandle), S_OK);
    EXPECT_NE(handle->GetOsHandle(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(std::wstring(handle->GetPartName()), file.Path());
    CComRef<ISyncReader> sync;
    ASSERT_EQ(sync.QueryFrom(reader.Get(), IID_ISyncReader), S_OK);
    EXPECT_FALSE(sync->HasReadErrors());
}

TEST(AsyncFileReader, AReadCutShortByAShrunkenFileFails) {
    CTempFile file(Pattern(100, 1));
    HRESULT hr = E_FAIL;
    CComRef<IAsyncReader> reader(new CAsyncFileReader(file.Path().c_str(), &hr));
    ASSERT_EQ(hr, S_OK);
    // Another writer truncates the file after it was opened; the length taken at
    // open time still claims 100 bytes.
    HANDLE writer = CreateFileW(file.Path().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    SetFilePointer(writer, 50, nullptr, FILE_BEGIN);
    SetEndOfFile(writer);
    CloseHandle(writer);
    LONGLONG total = 0;
    reader->Length(&total, nullptr);
    EXPECT_EQ(total, 100);
    BYTE buffer[40] = {};
    EXPECT_EQ(reader->SyncRead(30, 40, buffer), E_FAIL);
    EXPECT_EQ(reader->SyncRead(10, 40, buffer), S_OK);
}

TEST(AsyncFileReader, AMissingFileIsAFailure) {
    HRESULT hr = S_OK;
    CComRef<IAsyncReader> reader(new CAsyncFileReader(L"C:\\missing\\nothing.xof", &hr));
    EXPECT_EQ(hr, E_FAIL);
}

}  // namespace
