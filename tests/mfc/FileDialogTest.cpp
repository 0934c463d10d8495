#include <gtest/gtest.h>

#include <afxdlgs.h>

#include <string>
#include <vector>

namespace {

TEST(FileDialogTest, ChosenNamesBecomeFullPaths) {
    struct Case {
        const char* name;
        std::wstring buffer;  // as the system fills it, with its embedded zeros
        std::vector<CString> paths;
    };
    const Case cases[] = {
        {"one file", std::wstring(L"C:\\v\\a.xof\0", 11), {L"C:\\v\\a.xof"}},
        {"several files", std::wstring(L"C:\\v\0a.xof\0b c.xof\0", 20), {L"C:\\v\\a.xof", L"C:\\v\\b c.xof"}},
        {"several files at a drive's root", std::wstring(L"C:\\\0a.xof\0b.xof\0", 17), {L"C:\\a.xof", L"C:\\b.xof"}},
        {"nothing chosen", std::wstring(), {}},
    };
    for (const Case& c : cases) {
        std::wstring buffer = c.buffer + std::wstring(2, L'\0');
        EXPECT_EQ(c.paths, CFileDialog::SplitNames(buffer.c_str())) << c.name;
    }
}

TEST(FileDialogTest, WalksTheChosenFilesInOrder) {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, L"视频文件(*.xof)|*.xof||");
    const wchar_t filter[] = L"视频文件(*.xof)\0*.xof\0\0";
    EXPECT_EQ(0, memcmp(filter, dialog.m_ofn.lpstrFilter, sizeof(filter)));
    EXPECT_NE(0u, dialog.m_ofn.Flags & OFN_EXPLORER);
    EXPECT_EQ(nullptr, dialog.GetStartPosition()) << "nothing chosen yet";
    const wchar_t chosen[] = L"D:\\films\0one.xof\0two.xof\0\0";
    memcpy(dialog.m_ofn.lpstrFile, chosen, sizeof(chosen));
    std::vector<CString> walked;
    for (POSITION p = dialog.GetStartPosition(); p;) walked.push_back(dialog.GetNextPathName(p));
    EXPECT_EQ((std::vector<CString>{L"D:\\films\\one.xof", L"D:\\films\\two.xof"}), walked);
    EXPECT_STREQ(L"D:\\films\\one.xof", dialog.GetPathName());
    EXPECT_STREQ(L"one.xof", dialog.GetFileName());
}

}  // namespace
