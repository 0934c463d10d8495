#include <gtest/gtest.h>

#include "common/CommonHelpers.h"
#include "fixtures/DebugOutputLog.h"

#include <shellapi.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

namespace {

// A fresh folder under the temporary folder, removed with its files afterwards.
class TempFolder {
public:
    TempFolder() : m_path(GetTempFilePath()) {
        CreateDirectoryW(m_path, nullptr);
        m_path += L'\\';
    }
    ~TempFolder() {
        CString tree = m_path.Left(m_path.GetLength() - 1);
        SHFILEOPSTRUCTW op = {};
        std::wstring from(tree.GetString());
        from.push_back(L'\0');
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NO_UI;
        SHFileOperationW(&op);
    }
    const CString& Path() const { return m_path; }

private:
    CString m_path;
};

void WriteTestFile(const CString& path, size_t bytes) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    std::string data(bytes, 'x');
    DWORD written = 0;
    WriteFile(file, data.data(), (DWORD)data.size(), &written, nullptr);
    CloseHandle(file);
}

bool IsFolder(const CString& path) {
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(CommonHelpersTest, ProgramFolderHoldsTheProgramAndEndsWithABackslash) {
    CString folder = GetProgramFolder();
    ASSERT_FALSE(folder.IsEmpty());
    EXPECT_EQ(L'\\', folder[folder.GetLength() - 1]);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder + L"tests_core.exe"));
    EXPECT_EQ(folder + L"zemo.db3", GetDatabasePath());
    EXPECT_STREQ(L"Images\\default\\", GetDefaultSkinFolder());
    CString downloads = GetDefaultDownloadFolder();
    EXPECT_EQ(folder + L"DownloadFiles", downloads);
    EXPECT_TRUE(IsFolder(downloads));
}

TEST(CommonHelpersTest, DebugTraceFormatsAndCutsAt1022Characters) {
    std::wstring longText(2000, L'a');
    longText[1021] = L'z';
    CDebugOutputLog log;
    DebugTrace(L"FAILED(0x%x) %s\n", 0x80004005, L"RenderFile");
    DebugTrace(L"%s", longText.c_str());
    ASSERT_EQ(2u, log.lines.size());
    EXPECT_STREQ(L"FAILED(0x80004005) RenderFile\n", log.lines[0]);
    EXPECT_EQ(longText.substr(0, 1022), log.lines[1].GetString());
}

struct PathCase {
    const wchar_t* path;
    const wchar_t* name;
    const wchar_t* title;
};

TEST(CommonHelpersTest, FileNameAndTitleFromPath) {
    const PathCase cases[] = {
        {L"C:\\v\\clip.xof", L"clip.xof", L"clip"}, {L"clip.xof", L"clip.xof", L""}, {L"C:\\v.d\\clip", L"clip", L""},
        {L"C:\\v\\a.b.xof", L"a.b.xof", L"a.b"},    {L"C:\\v\\", L"", L""},
    };
    for (const PathCase& c : cases) {
        EXPECT_STREQ(c.name, GetFileNameFromPath(c.path)) << c.path;
        EXPECT_STREQ(c.title, GetFileTitleFromPath(c.path)) << c.path;
    }
}

TEST(CommonHelpersTest, AppendBackslashOnlyWhenMissing) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\a", L"C:\\a\\"}, {L"C:\\a\\", L"C:\\a\\"}, {L"", L""}};
    for (const auto& c : cases) {
        CString path(c.first);
        AppendBackslash(path);
        EXPECT_STREQ(c.second, path);
    }
}

TEST(CommonHelpersTest, SplitStringDropsEmptyPieces) {
    const struct {
        const wchar_t* text;
        const wchar_t* delimiters;
        std::vector<CString> pieces;
    } cases[] = {
        {L"OpenVideo|C:\\a.xof", L"|", {L"OpenVideo", L"C:\\a.xof"}},
        {L"a||b", L"|", {L"a", L"b"}},
        {L"|a|", L"|", {L"a"}},
        {L"a, b;c", L", ;", {L"a", L"b", L"c"}},
        {L"", L"|", {}},
        {L"|||", L"|", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.pieces, SplitString(c.text, c.delimiters)) << c.text;
}

TEST(CommonHelpersTest, MainWindowAndBottomStripGeometry) {
    const struct {
        int width, height;
        RECT window;
    } cases[] = {
        {1024, 768, {0, 7, 1024, 760}},
        {800, 600, {0, 0, 800, 600}},
        {1920, 1080, {320, 163, 1600, 916}},
    };
    for (const auto& c : cases) {
        RECT r = DefaultMainWindowRectFor(c.width, c.height);
        EXPECT_TRUE(EqualRect(&c.window, &r)) << c.width << "x" << c.height;
    }
    RECT strip = BottomStripRectFor(1024, 768);
    RECT expected = {0, 703, 1024, 768};
    EXPECT_TRUE(EqualRect(&expected, &strip));

    RECT screen = GetBottomStripRect();
    EXPECT_TRUE(IsPointInBottomStrip(POINT{screen.left + 1, screen.bottom - 1}));
    EXPECT_FALSE(IsPointInBottomStrip(POINT{screen.left + 1, screen.top - 1}));
}

TEST(CommonHelpersTest, CreateFolderTreeMakesMissingParentsAndRefusesFiles) {
    TempFolder temp;
    EXPECT_FALSE(CreateFolderTree(L""));
    CString nested = temp.Path() + L"a\\b\\c";
    EXPECT_TRUE(CreateFolderTree(nested));
    EXPECT_TRUE(IsFolder(nested));
    EXPECT_TRUE(CreateFolderTree(nested));  // existing folder

    // A folder typed with a trailing backslash is made and reported as made.
    CString typed = temp.Path() + L"d\\e\\";
    EXPECT_TRUE(CreateFolderTree(typed));
    EXPECT_TRUE(IsFolder(typed));

    CString file = temp.Path() + L"file";
    WriteTestFile(file, 1);
    EXPECT_FALSE(CreateFolderTree(file));
    EXPECT_FALSE(CreateFolderTree(file + L"\\below"));
}

TEST(CommonHelpersTest, FolderWritableLeavesNothingBehind) {
    TempFolder temp;
    EXPECT_TRUE(IsFolderWritable(temp.Path()));
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(temp.Path() + L"*.xof", &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    EXPECT_FALSE(IsFolderWritable(temp.Path() + L"missing\\"));
}

TEST(CommonHelpersTest, DownloadedSizePrefersThePartialFile) {
    TempFolder temp;
    CString path = temp.Path() + L"video.xof";
    EXPECT_EQ(0, GetDownloadedSize(path));
    WriteTestFile(path, 300);
    EXPECT_EQ(300, GetDownloadedSize(path));
    WriteTestFile(path + L".temp", 120);
    EXPECT_EQ(120, GetDownloadedSize(path));
    DeleteFileIfExists(path + L".temp");
    DeleteFileIfExists(path);
    DeleteFileIfExists(path);  // a missing file is fine
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path));
}

TEST(CommonHelpersTest, GuidStringsAreLowerCaseWithoutBraces) {
    GUID guid = {0x5C2D301A, 0x0B98, 0x40F5, {0x83, 0x79, 0x6F, 0xEA, 0x69, 0x26, 0x0E, 0xA7}};
    EXPECT_STREQ(L"5c2d301a-0b98-40f5-8379-6fea69260ea7", GuidToString(guid));
    CString temp = GetTempFilePath();
    EXPECT_EQ(36, GetFileNameFromPath(temp).GetLength());
    EXPECT_NE(temp, GetTempFilePath());
}

TEST(CommonHelpersTest, TextConversions) {
    const char utf8[] = "\xe4\xb8\xad\xe6\x96\x87 abc";  // 中文 abc
    EXPECT_STREQ(L"中文 abc", Utf8ToWide(utf8));
    std::unique_ptr<char[]> back(WideToUtf8Buffer(L"中文 abc"));
    EXPECT_STREQ(utf8, back.get());

    std::string out = "old";
    EXPECT_TRUE(WideToUtf8(L"x", false, out));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(WideToUtf8(L"中文 abc", true, out));
    EXPECT_EQ(utf8, out);

    EXPECT_STREQ(L"中文", AnsiToWide("\xd6\xd0\xce\xc4"));  // code page 936
    EXPECT_STREQ(L"中文 abc", Utf8ToGbk(utf8, (int)strlen(utf8)));
    EXPECT_STREQ(L"", Utf8ToGbk(utf8, 0));

    const std::pair<const wchar_t*, int> numbers[] = {{L"42", 42}, {L"  -17x", -17}, {L"+5", 5}, {L"abc", 0}, {L"", 0}};
    for (const auto& n : numbers) EXPECT_EQ(n.second, CStringToInt(n.first)) << n.first;
    EXPECT_STREQ(L"-2147483648", IntToCString(INT_MIN));
}

TEST(CommonHelpersTest, CommandLineAndVersion) {
    std::vector<CString> args = GetCommandLineArgs();
    ASSERT_FALSE(args.empty());
    EXPECT_NE(-1, args[0].Find(L"tests_core"));
    // The test program's version resource lists its Chinese translation first.
    EXPECT_STREQ(L"3.1.0.7", GetProductVersion());
}

TEST(CommonHelpersTest, ButtonBitmapIsTransparentWithTheImageAtTwoTwo) {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token, &input, nullptr));
    {
        Gdiplus::Bitmap image(4, 3, PixelFormat32bppARGB);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) image.SetPixel(x, y, Gdiplus::Color(255, 200, 10, 20));
        std::unique_ptr<Gdiplus::Bitmap> button(CreateButtonBitmap(&image, 10, 8));
        ASSERT_TRUE(button);
        EXPECT_EQ(10u, button->GetWidth());
        EXPECT_EQ(8u, button->GetHeight());
        Gdiplus::Color c;
        button->GetPixel(0, 0, &c);
        EXPECT_EQ(0, c.GetA());
        button->GetPixel(3, 3, &c);
        EXPECT_EQ(255, c.GetA());
        EXPECT_EQ(200, c.GetR());
        button->GetPixel(7, 3, &c);
        EXPECT_EQ(0, c.GetA());
    }
    Gdiplus::GdiplusShutdown(token);
}

}  // namespace
