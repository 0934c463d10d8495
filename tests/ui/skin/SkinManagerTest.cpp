#include <gtest/gtest.h>

#include <map>
#include <string>

#include "files/ScratchFolder.h"
#include "skin/SkinManager.h"

namespace {

const char kSkin[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<root>\n"
    "  <scheme name=\"默认皮肤\"/>\n"
    "  <view name=\"mainwnd\">\n"
    "    <image htmlayout=\"$1\">main-bg.png</image>\n"
    "    <group><deeper><image htmlayout=\"$2\">按钮.png</image></deeper></group>\n"
    "    <image htmlayout=\"$1\">second-wins-not.png</image>\n"
    "    <image htmlayout=\"$3\"/>\n"
    "    <image htmlayout=\"download-9\">later-prefix.png</image>\n"
    "  </view>\n"
    "  <view name=\"download\"><image htmlayout=\"$1\">dl-bg.png</image></view>\n"
    "  <view name=\"unknown\"><image htmlayout=\"$1\">skipped.png</image></view>\n"
    "  <image htmlayout=\"$5\">outside.png</image>\n"
    "</root>\n";

class SkinManagerTest : public testing::Test {
protected:
    CString Write(const wchar_t* name, const std::string& content) { return folder.Write(name, content).c_str(); }

    ScratchFolder folder;
    CSkinManager skin;
};

TEST_F(SkinManagerTest, ReadsThePlaceholdersOfTheKnownViews) {
    ASSERT_TRUE(skin.LoadSkin(Write(L"skin.xml", kSkin)));
    const std::map<std::wstring, std::wstring> expected = {
        {L"mainwnd-$1", L"main-bg.png"},  // the first of two equal names
        {L"mainwnd-$2", L"按钮.png"},     // at any depth inside the view
        {L"mainwnd-$3", L""},             // no text: the folder alone
        {L"mainwnd-download-9", L"later-prefix.png"},
        {L"download-$1", L"dl-bg.png"},
    };
    EXPECT_EQ(expected, skin.GetPlaceholders());
}

TEST_F(SkinManagerTest, RefusedSkinChangesNothing) {
    struct Case {
        const char* name;
        const char* content;  // null: no file
    };
    const Case cases[] = {
        {"missing file", nullptr},
        {"not XML", "<root><scheme/><view name=\"mainwnd\">"},
        {"no scheme", "<root><view name=\"mainwnd\"><i htmlayout=\"$1\">x.png</i></view></root>"},
        {"scheme not under root", "<other><scheme/><view name=\"mainwnd\"/></other>"},
        {"no named view", "<root><scheme/><view><i htmlayout=\"$1\">x.png</i></view></root>"},
    };
    ASSERT_TRUE(skin.LoadSkin(Write(L"good.xml", kSkin)));
    const auto before = skin.GetPlaceholders();
    for (const Case& c : cases) {
        CString path = c.content ? Write(L"bad.xml", c.content) : CString(folder.File(L"absent.xml").c_str());
        EXPECT_FALSE(skin.LoadSkin(path)) << c.name;
        EXPECT_EQ(before, skin.GetPlaceholders()) << c.name;
    }
}

TEST_F(SkinManagerTest, SkinWithoutKnownViewsLoadsEmpty) {
    ASSERT_TRUE(skin.LoadSkin(Write(L"good.xml", kSkin)));
    EXPECT_TRUE(skin.LoadSkin(
        Write(L"other.xml", "<root><scheme/><view name=\"other\"><i htmlayout=\"$1\">x</i></view></root>")));
    EXPECT_TRUE(skin.GetPlaceholders().empty());
}

TEST_F(SkinManagerTest, ViewNamesAndKinds) {
    EXPECT_EQ(1, skin.GetViewKind(L"mainwnd"));
    EXPECT_EQ(2, skin.GetViewKind(L"download"));
    EXPECT_EQ(0, skin.GetViewKind(L"MainWnd")) << "names are case-sensitive";
    EXPECT_EQ(0, skin.GetViewKind(L""));
    EXPECT_STREQ(L"mainwnd", skin.GetViewName(1));
    EXPECT_STREQ(L"download", skin.GetViewName(2));
    EXPECT_STREQ(L"", skin.GetViewName(0));
    EXPECT_STREQ(L"", skin.GetViewName(3));
}

TEST_F(SkinManagerTest, ReplacesTheViewsPlaceholdersInThePage) {
    struct Case {
        const char* name;
        int viewKind;
        const wchar_t* folder;
        const char* page;
        const char* expected;
    };
    const Case cases[] = {
        {"main window, folder gets its backslash", 1, L"Images\\default", "<p a=\"{$1}\" b=\"{$1}\">{$4}</p>",
         "<p a=\"Images\\default\\main-bg.png\" b=\"Images\\default\\main-bg.png\">{$4}</p>"},
        {"file name in the ANSI code page", 1, L"Images\\default\\", "{$2}", "Images\\default\\\xb0\xb4\xc5\xa5.png"},
        {"element without text", 1, L"Images\\", "url({$3})", "url(Images\\)"},
        {"empty folder gives bare names", 1, L"", "{$1}", "main-bg.png"},
        {"download window", 2, L"皮肤", "{$1}{$2}", "\xc6\xa4\xb7\xf4\\dl-bg.png{$2}"},
        {"prefix found later in the key", 2, L"", "{mainwnd-9}", "later-prefix.png"},
        {"view kind 0 leaves the page alone", 0, L"Images\\", "{$1}{mainwnd$1}{$2}", "{$1}Images\\main-bg.png{$2}"},
    };
    ASSERT_TRUE(skin.LoadSkin(Write(L"skin.xml", kSkin)));
    for (const Case& c : cases) {
        CStringA page(c.page);
        skin.ReplacePlaceholders(c.viewKind, c.folder, page);
        EXPECT_STREQ(c.expected, page) << c.name;
    }
}

TEST_F(SkinManagerTest, ReplacementThatContainsItsPlaceholderEnds) {
    ASSERT_TRUE(skin.LoadSkin(
        Write(L"skin.xml", "<root><scheme/><view name=\"mainwnd\"><i htmlayout=\"$1\">{$1}</i></view></root>")));
    CStringA page("{$1}-{$1}");
    skin.ReplacePlaceholders(1, L"", page);
    EXPECT_STREQ("{$1}-{$1}", page);
}

TEST_F(SkinManagerTest, RegistersEachWindowOnce) {
    auto* a = reinterpret_cast<CBaseSkinWnd*>(0x1000);
    auto* b = reinterpret_cast<CBaseSkinWnd*>(0x2000);
    skin.RegisterWindow(a);
    skin.RegisterWindow(b);
    skin.RegisterWindow(a);
    EXPECT_EQ((std::vector<CBaseSkinWnd*>{a, b}), skin.GetWindows());
    skin.UnregisterWindow(a);
    skin.UnregisterWindow(a);
    EXPECT_EQ(std::vector<CBaseSkinWnd*>{b}, skin.GetWindows());
}

}  // namespace
