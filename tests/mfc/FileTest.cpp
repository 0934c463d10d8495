#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>

#include "files/ScratchFolder.h"

namespace {

// Each test's file lies in a scratch folder of its own.
class FileTest : public testing::Test {
protected:
    ScratchFolder folder;
    CString path{folder.File(L"file.bin").c_str()};
};

std::string ReadAll(LPCTSTR path) {
    CFile file(path, CFile::modeRead);
    std::string bytes((size_t)file.GetLength(), '\0');
    if (!bytes.empty()) {
        EXPECT_EQ(bytes.size(), file.Read(&bytes[0], (UINT)bytes.size()));
    }
    return bytes;
}

void WriteAll(LPCTSTR path, UINT flags, const std::string& bytes) {
    CFile file(path, flags);
    file.Write(bytes.data(), (UINT)bytes.size());
}

TEST_F(FileTest, CreateTruncatesUnlessAskedNotTo) {
    WriteAll(path, CFile::modeCreate | CFile::modeWrite, "abcdef");
    EXPECT_EQ("abcdef", ReadAll(path));
    WriteAll(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite, "XY");
    EXPECT_EQ("XYcdef", ReadAll(path));
    WriteAll(path, CFile::modeCreate | CFile::modeWrite, "Z");
    EXPECT_EQ("Z", ReadAll(path));
}

TEST_F(FileTest, SeekReadWriteAndCutInPlace) {
    WriteAll(path, CFile::modeCreate | CFile::modeWrite, "0123456789");
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeReadWrite));
    EXPECT_EQ(3u, file.Seek(3, CFile::begin));
    char two[2];
    EXPECT_EQ(2u, file.Read(two, 2));
    EXPECT_EQ('3', two[0]);
    EXPECT_EQ(5u, file.GetPosition());
    file.SetLength(4);
    EXPECT_EQ(4u, file.GetLength());
    EXPECT_EQ(4u, file.SeekToEnd());
    file.Write("ab", 2);
    EXPECT_EQ(0u, file.Read(two, 2)) << "at the end a read gives nothing";
    file.Close();
    EXPECT_EQ("0123ab", ReadAll(path));
}

TEST_F(FileTest, OpeningAMissingFileFailsWithTheSystemError) {
    CFile file;
    CFileException error(0);
    EXPECT_FALSE(file.Open(path, CFile::modeReadWrite, &error));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, error.m_lOsError);
    EXPECT_STREQ(path, error.m_strFileName);
    EXPECT_EQ(INVALID_HANDLE_VALUE, file.m_hFile);

    CFileException* thrown = nullptr;
    try {
        CFile constructed(path, CFile::modeRead);
    } catch (CFileException* e) {
        thrown = e;
    }
    ASSERT_NE(nullptr, thrown) << "the constructor throws what Open reports";
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, thrown->m_lOsError);
    delete thrown;
}

TEST_F(FileTest, WritingAFileOpenedForReadingThrows) {
    WriteAll(path, CFile::modeCreate | CFile::modeWrite, "x");
    CFile file(path, CFile::modeRead);
    CFileException* thrown = nullptr;
    try {
        file.Write("y", 1);
    } catch (CFileException* e) {
        thrown = e;
    }
    ASSERT_NE(nullptr, thrown);
    EXPECT_NE(0, thrown->m_lOsError);
    delete thrown;
}

}  // namespace
