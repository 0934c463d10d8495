// The HTML panels in real windows: each shows its page file from the program folder,
// the scrolling strip shows no context menu, the middle panel hands shortcuts on.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <memory>

#include "DialogDriver.h"
#include "common/CommonHelpers.h"
#include "fakes/FakeWindows.h"
#include "web/HtmlPanels.h"

namespace {

class HtmlPanels : public ::testing::Test {
protected:
    HtmlPanels() {
        frame.CreateEx(0, nullptr, L"panels", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, RECT{0, 0, 600, 500}, nullptr,
                       0);
    }
    ~HtmlPanels() override { frame.DestroyWindow(); }
    // Pumps until the panel shows the address (false after 10 s).
    static bool WaitForPage(CDHtmlDialog& panel, const CString& url) {
        for (int round = 0; round < 1000 && panel.GetCurrentUrl() != url; ++round) {
            PumpWindowMessages();
            Sleep(10);
        }
        return panel.GetCurrentUrl() == url;
    }

    FakeWindows windows;
    CWnd frame;
};

// Closes a menu that a right click opened, and says whether there was one.
bool g_menuShown = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    g_menuShown = true;
    EndMenu();
}

TEST_F(HtmlPanels, EachPanelShowsItsPageFile) {
    CDlgLeftAD left(&frame);
    CDlgMiddleAD middle(&frame);
    CDlgHtmlScrollingPanel strip(&frame);
    struct Case {
        CHtmlPanel& panel;
        UINT templateId;
        LPCWSTR file;
        bool contextMenu;
    } cases[] = {{left, 107, L"DlgLeftAD.htm", true},
                 {middle, 109, L"DlgMiddleAD.htm", true},
                 {strip, 145, L"ScrollingAD.htm", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateId);
        ASSERT_TRUE(c.panel.Create(c.templateId, &frame));
        c.panel.MoveWindow(0, 0, 380, 380);
        c.panel.ShowWindow(SW_SHOW);
        EXPECT_STREQ(GetProgramFolder() + c.file, c.panel.GetPagePath());
        ASSERT_TRUE(WaitForPage(c.panel, c.panel.GetPagePath()));
        RECT client = {}, page = {};
        c.panel.GetClientRect(&client);
        ::GetWindowRect(c.panel.GetBrowser().GetHwnd(), &page);
        EXPECT_EQ(client.right, page.right - page.left) << "the page fills the panel";
        EXPECT_EQ(client.bottom, page.bottom - page.top);

        g_menuShown = false;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, &CloseMenu);
        POINT point = {40, 40};
        ::ClientToScreen(c.panel.GetBrowser().GetHwnd(), &point);
        ::SendMessageW(c.panel.GetBrowser().GetHwnd(), WM_CONTEXTMENU, 0, MAKELPARAM(point.x, point.y));
        KillTimer(nullptr, timer);
        EXPECT_EQ(c.contextMenu, g_menuShown);
        c.panel.DestroyWindow();
    }
}

TEST_F(HtmlPanels, TheMiddlePanelHandsShortcutsToTheFacadeFirst) {
    CDlgMiddleAD middle(&frame);
    ASSERT_TRUE(middle.Create(109, &frame));
    HWND page = middle.GetBrowser().GetHwnd();
    MSG space = {page, WM_KEYDOWN, VK_SPACE, 0};
    EXPECT_TRUE(AfxWalkPreTranslateMessage(&space));
    ASSERT_FALSE(windows.calls.empty());
    EXPECT_EQ("TogglePlayPause", windows.calls.back());
    MSG letter = {page, WM_CHAR, 'a', 0};
    EXPECT_FALSE(AfxWalkPreTranslateMessage(&letter));
    middle.DestroyWindow();
}

TEST_F(HtmlPanels, ADialogStartsWithItsHtmlResourceWhenThereIsOne) {
    CDHtmlDialog withPage(145, 112, &frame), without(145, 108, &frame);
    ASSERT_TRUE(withPage.Create(145, &frame));
    ASSERT_TRUE(without.Create(145, &frame));
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    CString url;
    url.Format(L"res://%s/112", program);
    EXPECT_TRUE(WaitForPage(withPage, url));
    PumpWindowMessages();
    EXPECT_STREQ(L"", without.GetCurrentUrl());
    EXPECT_FALSE(without.LoadFromResource(108));
}

}  // namespace
