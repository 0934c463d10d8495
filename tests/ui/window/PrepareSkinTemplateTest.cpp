#include <gtest/gtest.h>

#include <string>

#include "files/ScratchFolder.h"
#include "TestSkinWnd.h"

namespace {

std::string ReadAll(const CString& path) {
    CFile file(path, CFile::modeRead);
    std::string bytes((size_t)file.GetLength(), '\0');
    if (!bytes.empty()) file.Read(&bytes[0], (UINT)bytes.size());
    return bytes;
}

// Replaces every "{$1}" with "IMG".
void ReplaceOne(CStringA& text) { text.Replace("{$1}", "IMG"); }
void KeepText(CStringA&) {}

class PrepareSkinTemplateTest : public testing::Test {
protected:
    void SetUp() override { window.MakeManager(); }

    ScratchFolder folder;
    CTestSkinWnd window;
};

TEST_F(PrepareSkinTemplateTest, RewritesTheCopyAfterItsHead) {
    const std::string chunkEdge(4096 - 2, 'x');  // puts a placeholder across the first chunk's end
    struct Case {
        const char* name;
        std::string content;
        CBaseWnd::PAGE_HOOK hook;
        std::string expected;
    };
    const Case cases[] = {
        {"byte-order mark kept", "\xEF\xBB\xBF<p>{$1}</p>{$1}", ReplaceOne, "\xEF\xBB\xBF<p>IMG</p>IMG"},
        {"placeholder in the head stays", "{$1}abc{$1}", ReplaceOne, "{$1}abcIMG"},
        {"placeholder across chunks", "ABC" + chunkEdge + "{$1}tail", ReplaceOne, "ABC" + chunkEdge + "IMGtail"},
        {"zero byte drops the rest of its chunk",
         "ABC" + std::string("ab\0cd", 5) + std::string(4096 - 5, 'z') + "next", KeepText, "ABCabnext"},
        {"template shorter than its head", "AB", ReplaceOne, "AB"},
        {"empty template", "", ReplaceOne, ""},
    };
    for (const Case& c : cases) {
        CString path = folder.Write(L"page.html", c.content).c_str();
        CString copy = CBaseWnd::PrepareSkinTemplate(path, &window, c.hook);
        ASSERT_STREQ(folder.File(L"pageForLoad.html").c_str(), copy) << c.name;
        EXPECT_EQ(c.expected, ReadAll(copy)) << c.name;
        EXPECT_EQ(c.content, ReadAll(path)) << c.name << ": the template itself is unchanged";
    }
}

TEST_F(PrepareSkinTemplateTest, ReplacesAnOlderCopy) {
    folder.Write(L"pageForLoad.html", std::string(10000, 'o'));
    CString copy = CBaseWnd::PrepareSkinTemplate(folder.Write(L"page.html", "ABC{$1}").c_str(), &window, ReplaceOne);
    EXPECT_EQ("ABCIMG", ReadAll(copy));
}

TEST_F(PrepareSkinTemplateTest, NothingToPrepareGivesAnEmptyPath) {
    folder.Write(L"skin.d\\page", "ABC{$1}");
    folder.Write(L"page.html", "ABC{$1}");
    CTestSkinWnd noManager;
    struct Case {
        const char* name;
        CString path;
        CBaseWnd* window;
    };
    const Case cases[] = {
        {"window without manager", folder.File(L"page.html").c_str(), &noManager},
        {"no window", folder.File(L"page.html").c_str(), nullptr},
        {"missing template", folder.File(L"absent.html").c_str(), &window},
        {"dot only in the folder: the copy's folder does not exist", folder.File(L"skin.d\\page").c_str(), &window},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(L"", CBaseWnd::PrepareSkinTemplate(c.path, c.window, ReplaceOne)) << c.name;
    EXPECT_FALSE(folder.Exists(L"pageForLoad.html")) << "no copy without a manager";
    EXPECT_STREQ(L"", CBaseWnd::PrepareSkinTemplate(L"page", &window, ReplaceOne)) << "a path without '.'";
}

}  // namespace
