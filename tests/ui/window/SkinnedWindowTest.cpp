#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestPage.h"
#include "WindowCapture.h"
#include "common/CommonHelpers.h"
#include "fakes/RegisteredSkin.h"
#include "htmlayout/dom.h"

namespace {

// Away from the screen's corner, where the windows of other test programs appear.
const RECT kFrame = {700, 500, 1340, 900};
const RECT kClient = {0, 0, 640, 400};

bool Exists(const CString& path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

bool Contains(const std::vector<std::string>& log, const std::string& entry) {
    return std::find(log.begin(), log.end(), entry) != log.end();
}

// A visible frame, above other windows, with the skinned window of the test page over
// its client area.
class SkinnedWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ownTemplate.Made());
        ASSERT_TRUE(app.GetSkinManager().LoadSkin(GetProgramFolder() + GetDefaultSkinFolder() + L"zemovista_skin.xml"));
        ASSERT_TRUE(
            frame.CreateEx(WS_EX_TOPMOST, nullptr, L"skinned window", WS_POPUP | WS_VISIBLE, kFrame, nullptr, 0));
    }
    void Open(CTestSkinWnd& wnd) {
        ASSERT_TRUE(wnd.Create(nullptr, nullptr, WS_VISIBLE, kClient, &frame, 1));
        HTMLayoutUpdateWindow(wnd.m_hWnd);
        PumpMessages();
    }
    CRecordingCtrlManager& Manager() { return *window.Manager(); }
    CString CopyPath() const {
        return GetProgramFolder() + templateName.Left(templateName.GetLength() - 5) + L"ForLoad.html";
    }

    OwnTemplate ownTemplate{L"testwnd.html"};
    const CString templateName = ownTemplate.Name();
    RegisteredSkin app;
    CWnd frame;
    CTestSkinWnd window{templateName};
};

TEST_F(SkinnedWindowTest, LoadsThePreparedTemplateWhileRegistered) {
    Open(window);
    EXPECT_EQ(std::vector<CBaseSkinWnd*>{&window}, app.GetSkinManager().GetWindows());
    CString copy = window.GetPagePath();
    EXPECT_STREQ(CopyPath(), copy);
    CFile file(copy, CFile::modeRead);
    std::string page((size_t)file.GetLength(), '\0');
    file.Read(&page[0], (UINT)page.size());
    file.Close();
    EXPECT_EQ(0, page.compare(0, 3, "\xEF\xBB\xBF"));
    EXPECT_NE(std::string::npos, page.find("url(Images\\default\\main-bg.png)"));
    EXPECT_NE(std::string::npos, page.find("{$99}")) << "a placeholder the skin lacks stays";
    EXPECT_TRUE(Manager().GetRootElement().is_valid());
    EXPECT_NE(nullptr, Manager().GetElementObject(L"btn-play")) << "bound before the page loaded";

    window.DestroyWindow();
    EXPECT_TRUE(app.GetSkinManager().GetWindows().empty());
    EXPECT_TRUE(Exists(copy)) << "the copy lives as long as the object";
}

TEST_F(SkinnedWindowTest, DestructorDeletesThePreparedCopy) {
    CString copy;
    {
        CTestSkinWnd shortLived(templateName);
        Open(shortLived);
        copy = shortLived.GetPagePath();
        ASSERT_TRUE(Exists(copy));
    }
    EXPECT_FALSE(Exists(copy));
    EXPECT_TRUE(app.GetSkinManager().GetWindows().empty()) << "a destroyed window leaves the skin manager";
}

TEST_F(SkinnedWindowTest, MissingTemplateLeavesTheWindowWithoutPage) {
    CTestSkinWnd missing(L"absent.html");
    missing.Create(nullptr, nullptr, WS_VISIBLE, kClient, &frame, 2);
    EXPECT_STREQ(L"", missing.GetPagePath());
    ASSERT_NE(nullptr, missing.Manager());
    EXPECT_FALSE(missing.Manager()->GetRootElement().is_valid());
    EXPECT_FALSE(missing.Manager()->SetElementText(L"caption", L"x"));
}

TEST_F(SkinnedWindowTest, ClickOnAButtonReachesTheManagerByItsId) {
    Open(window);
    RECT button = Manager().GetElementRect(L"btn-play");
    ASSERT_GT(button.right, button.left);
    LPARAM point = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    window.PostMessage(WM_MOUSEMOVE, 0, point);
    window.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
    window.PostMessage(WM_LBUTTONUP, 0, point);
    PumpMessages();
    EXPECT_TRUE(Contains(Manager().log, "down btn-play"));
    EXPECT_TRUE(Contains(Manager().log, "up btn-play"));
    EXPECT_TRUE(Contains(Manager().log, "click btn-play"));
}

TEST_F(SkinnedWindowTest, HelpersReadAndChangeElementsById) {
    Open(window);
    struct IntCase {
        const wchar_t* id;
        const char* name;
        int value;
    };
    const IntCase ints[] = {
        {L"caption", "max", 1000}, {L"caption", "value", 60}, {L"caption", "min", 0},  // "abc" is no number
        {L"caption", "step", -1},  {L"nope", "max", 0},       {L"download_progress", "value", 60},
    };
    for (const IntCase& c : ints)
        EXPECT_EQ(c.value, Manager().GetElementIntAttribute(c.id, c.name))
            << CStringA(c.id).GetString() << " " << c.name;
    EXPECT_EQ(1000, Manager().GetElementMax(L"caption"));
    EXPECT_EQ(0, Manager().GetElementMin(L"caption"));
    EXPECT_EQ(60, Manager().GetElementValue(L"caption"));

    EXPECT_TRUE(Manager().SetElementText(L"caption", L"第二集"));
    EXPECT_STREQ(L"第二集", Manager().GetElementById(L"caption").inner_text().c_str());
    EXPECT_TRUE(Manager().SetElementAttribute(L"caption", "mode", L"pause"));
    EXPECT_STREQ(L"pause", Manager().GetElementById(L"caption").get_attribute("mode"));
    EXPECT_TRUE(Manager().SetElementStyle(L"caption", "display", L"none"));
    EXPECT_STREQ(L"none", Manager().GetElementStyle(L"caption", "display"));
    EXPECT_STREQ(L"400px", Manager().GetElementStyle(L"download_progress", "width"));

    EXPECT_FALSE(Manager().SetElementText(L"nope", L"x"));
    EXPECT_FALSE(Manager().SetElementAttribute(L"nope", "mode", L"x"));
    EXPECT_FALSE(Manager().SetElementStyle(L"nope", "display", L"none"));
    EXPECT_STREQ(L"", Manager().GetElementStyle(L"nope", "display"));
    RECT none = Manager().GetElementRect(L"nope");
    EXPECT_TRUE(none.left == 0 && none.top == 0 && none.right == 0 && none.bottom == 0);
    RECT progress = Manager().GetElementRect(L"download_progress");
    EXPECT_EQ(400, progress.right - progress.left);
}

TEST_F(SkinnedWindowTest, AnElementInvalidatesItsRectangleInThePagesWindow) {
    Open(window);
    ValidateRect(window.m_hWnd, nullptr);
    ValidateRect(frame.m_hWnd, nullptr);
    htmlayout::dom::element caption = Manager().GetElementById(L"caption");
    HWND hwnd = nullptr;
    ASSERT_EQ(HLDOM_OK, HTMLayoutGetElementHwnd(caption, &hwnd, TRUE));
    EXPECT_EQ(window.m_hWnd, hwnd) << "the page's window, not the frame";
    caption.invalidate();
    RECT dirty = {};
    ASSERT_TRUE(GetUpdateRect(window.m_hWnd, &dirty, FALSE));
    RECT box = caption.location(VIEW_RELATIVE | BORDER_BOX);
    EXPECT_TRUE(dirty.left <= box.left && dirty.top <= box.top && dirty.right >= box.right &&
                dirty.bottom >= box.bottom);
    EXPECT_FALSE(GetUpdateRect(frame.m_hWnd, nullptr, FALSE));
}

// The screenshot of the test page: background image, text and the progress bar
// where layout put them. Kept as build/.../tests/ui/artifacts/skinned-window.png.
TEST_F(SkinnedWindowTest, ScreenshotShowsTheSkinWhereLayoutPutIt) {
    Open(window);
    window.UpdateWindow();
    PumpMessages();
    WindowCapture shot(frame.m_hWnd);
    CString artifacts = GetProgramFolder() + L"artifacts\\";
    CreateDirectoryW(artifacts, nullptr);
    ASSERT_TRUE(shot.SavePng(artifacts + L"skinned-window.png"));

    RECT title = Manager().GetElementRect(L"title");
    RECT caption = Manager().GetElementRect(L"caption");
    RECT bar = Manager().GetElementRect(L"download_progress");
    int barY = (bar.top + bar.bottom) / 2;
    struct Probe {
        const char* what;
        int x, y;
        bool (*looks)(COLORREF);
    };
    auto isOrange = [](COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 100 && GetBValue(c) < 120; };
    auto isTrack = [](COLORREF c) { return GetRValue(c) > 195 && GetBValue(c) > 205 && GetRValue(c) < 245; };
    auto isBlue = [](COLORREF c) { return GetBValue(c) > 150 && GetRValue(c) < 110; };
    auto isPanel = [](COLORREF c) { return GetRValue(c) > 205 && GetGValue(c) > 210 && GetBValue(c) > 220; };
    const Probe probes[] = {
        {"filled part of the bar", bar.left + (bar.right - bar.left) / 10, barY, isOrange},
        {"rest of the bar", bar.right - 20, barY, isTrack},
        {"title bar", title.right - 5, (title.top + title.bottom) / 2, isBlue},
        {"page background", 600, 380, isPanel},
    };
    for (const Probe& p : probes) {
        COLORREF c = shot.Pixel(p.x, p.y);
        EXPECT_TRUE(p.looks(c)) << p.what << " at " << p.x << "," << p.y << ": " << std::hex << c;
    }
    // The page's background image, a top-down gradient, covers the whole view, also
    // below the content, where the background colour alone would be flat.
    COLORREF top = shot.Pixel(600, 40), bottom = shot.Pixel(600, 395);
    EXPECT_GE(GetRValue(top) - GetRValue(bottom), 6) << std::hex << top << " " << bottom;
    int textPixels = 0;  // the caption's dark blue text
    for (int y = caption.top; y < caption.bottom; ++y)
        for (int x = caption.left; x < caption.right; ++x) {
            COLORREF c = shot.Pixel(x, y);
            if (GetRValue(c) < 80 && GetBValue(c) < 160) ++textPixels;
        }
    EXPECT_GT(textPixels, 30) << "the caption's text is drawn";
}

}  // namespace
