// The browser dialog in a real window: its buttons, tool tips and layout, the back and
// forward states, the home button; kept as build/.../tests/app/artifacts/browser-dialog.png.
#include <gtest/gtest.h>

#include <map>

#include "WebViewFixture.h"
#include "WindowCapture.h"
#include "common/CommonHelpers.h"
#include "common/WindowMessages.h"
#include "resource.h"
#include "web/DlgWeb.h"

#include <commctrl.h>

namespace {

class DlgWeb : public WebViewTest {
protected:
    void SetUp() override {
        view->ShowWindow(SW_HIDE);
        top.CreateEx(0, nullptr, L"browser", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, RECT{0, 0, 1024, 753}, nullptr,
                     0);
        ASSERT_TRUE(dlg.Create(IDD_DLG_WEB, &top));
        dlg.MoveWindow(0, 0, 1024, 753);
        dlg.ShowWindow(SW_SHOW);
        ASSERT_NE(nullptr, dlg.GetWebView());
    }
    void TearDown() override {
        dlg.DestroyWindow();
        top.DestroyWindow();
    }
    // Pumps until the web view shows the address (false after 10 s).
    bool WaitForLocation(const CString& url) {
        for (int round = 0; round < 1000 && dlg.GetWebView()->GetLocationURL() != url; ++round) {
            PumpWindowMessages();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT | QS_SENDMESSAGE);
        }
        PumpWindowMessages();
        return dlg.GetWebView()->GetLocationURL() == url;
    }
    bool Enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, id)) != FALSE; }
    void Press(int id) { ::SendMessageW(::GetDlgItem(dlg.m_hWnd, id), BM_CLICK, 0, 0); }

    CWnd top;
    CDlgWeb dlg{&top};
};

RECT ChildRect(HWND parent, HWND child) {
    RECT rect = {};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, parent, (POINT*)&rect, 2);
    return rect;
}

// The tool tips' texts by the window they belong to.
std::map<HWND, CString> ToolTexts(HWND owner) {
    std::map<HWND, CString> texts;
    HWND tip = nullptr;
    while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) != nullptr) {
        if (::GetWindow(tip, GW_OWNER) != owner) continue;
        int count = (int)::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) {
            wchar_t text[80] = {};
            TTTOOLINFOW info = {sizeof(info)};
            info.lpszText = text;
            ::SendMessageW(tip, TTM_ENUMTOOLSW, i, (LPARAM)&info);
            texts[(HWND)info.uId] = text;
        }
    }
    return texts;
}

TEST_F(DlgWeb, FourButtonsWithToolTipsSitAboveTheWebView) {
    struct Case {
        int id;
        int left;
        LPCWSTR tip;
    } cases[] = {{IDC_BTN_BACK, 10, L"后退"},
                 {IDC_BTN_FORE, 44, L"前进"},
                 {IDC_BTN_REFRESH, 78, L"刷新"},
                 {IDC_BTN_HOME, 112, L"主页"}};
    // A pop-up is owned by the top-level window of the dialog it was made for.
    std::map<HWND, CString> tips = ToolTexts(::GetAncestor(dlg.m_hWnd, GA_ROOT));
    EXPECT_EQ(4u, tips.size());
    for (const Case& c : cases) {
        HWND button = ::GetDlgItem(dlg.m_hWnd, c.id);
        RECT rect = ChildRect(dlg.m_hWnd, button);
        EXPECT_EQ(c.left, rect.left) << c.id;
        EXPECT_EQ(0, rect.top) << c.id;
        EXPECT_EQ(24, rect.right - rect.left) << c.id;
        EXPECT_EQ(24, rect.bottom - rect.top) << c.id;
        EXPECT_STREQ(c.tip, tips[button]) << c.id;
    }
    HWND web = ::GetDlgItem(dlg.m_hWnd, 0xE901);
    ASSERT_EQ(dlg.GetWebView()->m_hWnd, web);
    wchar_t name[40] = {};
    ::GetWindowTextW(web, name, 40);
    EXPECT_STREQ(L"AnyWindowName1", name);
    RECT client = {};
    ::GetClientRect(dlg.m_hWnd, &client);
    RECT rect = ChildRect(dlg.m_hWnd, web);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(24, rect.top);
    EXPECT_EQ(client.right, rect.right);
    EXPECT_EQ(client.bottom, rect.bottom);
}

TEST_F(DlgWeb, BackAndForwardFollowTheBrowsersCommandStates) {
    SignOut();
    CString start = Url("/index.aspx"), category = Url("/category.aspx?id=1");
    dlg.GetWebView()->Navigate2(start);
    ASSERT_TRUE(WaitForLocation(start));
    dlg.GetWebView()->Navigate2(category);
    ASSERT_TRUE(WaitForLocation(category));
    EXPECT_TRUE(Enabled(IDC_BTN_BACK));
    EXPECT_FALSE(Enabled(IDC_BTN_FORE));
    Press(IDC_BTN_BACK);
    ASSERT_TRUE(WaitForLocation(start));
    EXPECT_FALSE(Enabled(IDC_BTN_BACK));
    EXPECT_TRUE(Enabled(IDC_BTN_FORE));
    Press(IDC_BTN_FORE);
    ASSERT_TRUE(WaitForLocation(category));
    EXPECT_TRUE(Enabled(IDC_BTN_BACK));
    EXPECT_FALSE(Enabled(IDC_BTN_FORE));
    // Only commands 1 and 2 change the buttons.
    struct Case {
        WPARAM command;
        LPARAM enable;
        bool back, forward;
    } cases[] = {{2, 0, false, false}, {1, 1, false, true}, {3, 1, false, true},
                 {0, 1, false, true},  {2, 1, true, true},  {1, 0, true, false}};
    for (const Case& c : cases) {
        dlg.SendMessage(WM_WEB_COMMAND_STATE, c.command, c.enable);
        EXPECT_EQ(c.back, Enabled(IDC_BTN_BACK)) << c.command << " " << c.enable;
        EXPECT_EQ(c.forward, Enabled(IDC_BTN_FORE)) << c.command << " " << c.enable;
    }
}

TEST_F(DlgWeb, TheHomeButtonChecksAndShowsTheStartPage) {
    SignOut();
    Press(IDC_BTN_HOME);
    ASSERT_TRUE(WaitForLocation(Url("/index.aspx")));
    EXPECT_EQ(std::vector<std::string>{"HidePlayDialog"}, host.calls);
}

TEST_F(DlgWeb, ShowsACataloguePageBelowItsButtons) {
    SignIn();
    CString category = Url("/category.aspx?id=1");
    dlg.GetWebView()->Navigate2(category);
    for (int round = 0; round < 1000 && dlg.GetWebView()->GetLocationURL().Find(L"zemoid=") < 0; ++round) {
        PumpWindowMessages();
        Sleep(10);
    }
    ASSERT_EQ(0, dlg.GetWebView()->GetLocationURL().Find(category + L"&zemoid=TOK"));
    top.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpWindowMessages();
    WindowCapture shot(top.m_hWnd);
    CString artifacts = GetProgramFolder() + L"artifacts\\";
    CreateDirectoryW(artifacts, nullptr);
    EXPECT_TRUE(shot.SavePng(artifacts + L"browser-dialog.png"));
    EXPECT_EQ(RGB(0xDC, 0xDC, 0xDC), shot.Pixel(400, 12)) << "the button row's background";
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), shot.Pixel(1000, 700)) << "the page";
}

}  // namespace
