// The main window's geometry in a real window: the border of the borderless resize,
// the layout by width, the window region, the start view, the view modes and full screen.
#include "MainWndFixture.h"

#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"

namespace {

POINT ToScreen(HWND window, POINT p) {
    ::ClientToScreen(window, &p);
    return p;
}

TEST_F(MainWndTest, BorderHitsSetTheCursorAndSizeTheDialog) {
    Open();
    ::MoveWindow(DialogHwnd(), kDialogAt.x, kDialogAt.y, 1024, 753, TRUE);
    FollowDialog();
    RecordDialogMessages();
    struct Case {
        POINT at;  // client coordinates
        LPCWSTR cursor;
        int edge;  // 0: none
    };
    const Case cases[] = {
        {{1020, 750}, IDC_SIZENWSE, 8}, {{3, 750}, IDC_SIZENESW, 7},   {{2, 2}, IDC_SIZENWSE, 4},
        {{1020, 5}, IDC_SIZENESW, 5},   {{1016, 746}, IDC_SIZENS, 6},  {{500, 1}, IDC_SIZENS, 3},
        {{4, 300}, IDC_SIZEWE, 1},      {{1019, 300}, IDC_SIZEWE, 2},  {{500, 400}, nullptr, 0},
    };
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    for (const Case& c : cases) {
        ::SetCursor(arrow);
        POINT screen = ToScreen(Wnd().m_hWnd, c.at);
        Wnd().SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        std::string where = std::to_string(c.at.x) + "," + std::to_string(c.at.y);
        EXPECT_EQ(c.cursor ? LoadCursorW(nullptr, c.cursor) : arrow, GetCursor()) << where;
        DialogMessages().clear();
        Wnd().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.at.x, c.at.y));
        Wnd().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(c.at.x, c.at.y));
        std::vector<std::string> expected;
        if (c.edge) expected.push_back("WM_SYSCOMMAND " + std::to_string(SC_SIZE + c.edge));
        EXPECT_EQ(expected, DialogMessages()) << where;
    }
    // The resize cursor also wins when the pointer rests on the border.
    POINT corner = ToScreen(Wnd().m_hWnd, {1021, 751});
    SetCursorPos(corner.x, corner.y);
    ::SetCursor(arrow);
    Wnd().SendMessage(WM_SETCURSOR, (WPARAM)Wnd().m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(LoadCursorW(nullptr, IDC_SIZENWSE), GetCursor());

    // A press on the title bar drags the dialog.
    RECT logo = ElementRect(L"logo");
    DialogMessages().clear();
    Wnd().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(logo.left + 20, 18));
    PumpFor(20);
    EXPECT_EQ(std::vector<std::string>{"WM_NCLBUTTONDOWN " + std::to_string(HTCAPTION)}, DialogMessages());
}

TEST_F(MainWndTest, MaximisedThereIsNoBorder) {
    Open();
    RecordDialogMessages();
    CUserConfig::GetInstance().GetAllConfig().MaximizeWindow = true;
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    for (POINT at : {POINT{1020, 750}, POINT{2, 300}, POINT{500, 1}}) {
        ::SetCursor(arrow);
        POINT screen = ToScreen(Wnd().m_hWnd, at);
        Wnd().SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        EXPECT_EQ(arrow, GetCursor());
        Wnd().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        Wnd().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    EXPECT_TRUE(DialogMessages().empty());
}

TEST_F(MainWndTest, LayoutByWidthPlacesTheProgressAndTheViewButtons) {
    Open();
    const struct {
        int width;
        LPCWSTR progress, view;
    } cases[] = {{999, L"38%", L"87%"}, {1000, L"33%", L"72%"}, {1300, L"33%", L"72%"}, {800, L"38%", L"87%"}};
    for (const auto& c : cases) {
        Wnd().LayoutForWidth(c.width);
        EXPECT_STREQ(c.progress, Manager().GetElementStyle(L"show-progress-bg", "left")) << c.width;
        EXPECT_STREQ(c.view, Manager().GetElementStyle(L"view-control", "left")) << c.width;
    }
}

TEST_F(MainWndTest, TheWindowRegionHasTheThreeHoles) {
    Open();
    ::MoveWindow(DialogHwnd(), kDialogAt.x, kDialogAt.y, 1024, 753, TRUE);
    FollowDialog();
    Wnd().UpdateWindowRegion();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(Wnd().m_hWnd, region));
    RECT progress = Wnd().GetProgressRect(), left = Wnd().GetLeftPanelRect(), middle = Wnd().GetMiddleRect();
    RECT adBg = ElementRect(L"ad-bg");
    EXPECT_EQ(Show({adBg.left + 5, adBg.top + 5, adBg.right - 7, adBg.bottom - 9}), Show(left));
    EXPECT_EQ(753, middle.bottom) << "the middle reaches the client's bottom";
    ASSERT_GT(progress.right, progress.left);
    struct Probe {
        const char* what;
        POINT at;
        bool inside;
    };
    const Probe probes[] = {
        {"progress", {(progress.left + progress.right) / 2, (progress.top + progress.bottom) / 2}, false},
        {"progress's first pixel", {progress.left, progress.top}, false},
        {"play controls under the left panel", {(ElementRect(L"pre").left + ElementRect(L"pre").right) / 2,
                                               (ElementRect(L"pre").top + ElementRect(L"pre").bottom) / 2}, true},
        {"left panel", {left.left, left.top}, false},
        {"left panel's last pixel", {left.right - 1, left.bottom - 1}, false},
        {"ad-bg's margin", {adBg.left + 2, adBg.top + 2}, true},
        {"middle", {(middle.left + middle.right) / 2, 300}, false},
        {"middle's bottom two pixels", {(middle.left + middle.right) / 2, middle.bottom - 1}, true},
        {"title bar", {500, 10}, true},
        {"right panel", {middle.right + 10, 300}, true},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(p.inside, PtInRegion(region, p.at.x, p.at.y) != FALSE) << p.what;
    DeleteObject(region);
}

TEST_F(MainWndTest, StartViewSettlesTheStoredRectangle) {
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT fallback = GetDefaultMainWindowRect();
    struct Case {
        const char* what;
        RECT stored;
        bool maximized;
        RECT expected;
    };
    const RECT flush = {screenWidth - 1100, screenHeight - 800, screenWidth, screenHeight};
    const Case cases[] = {
        {"zeros", {0, 0, 0, 0}, false, fallback},
        {"maximised", {50, 50, 1150, 850}, true, work},
        {"a corner off the screen", {screenWidth - 300, 40, screenWidth + 800, 840}, false, fallback},
        {"flush with the right and bottom edges", flush, false, flush},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CUserConfig::GetInstance().GetAllConfig().MaximizeWindow = c.maximized;
        CUserConfig::GetInstance().GetAllConfig().WindowShowType = 3;  // no view mode: the size stays
        Open(1100, 800, &c.stored);
        EXPECT_EQ(Show(c.expected), Show(DialogRect()));
        CAllConfig& stored = CUserConfig::GetInstance().GetAllConfig();
        EXPECT_EQ(Show(c.expected), Show({stored.WindowLeft, stored.WindowTop, stored.WindowRight, stored.WindowBottom}))
            << "written back";
        Wnd().DestroyWindow();
        windows.dialog.DestroyWindow();
    }
}

TEST_F(MainWndTest, StartViewWithItemsShowsTheIdlePanel) {
    Open();
    CAppFacade::GetInstance().AddItem(L"C:\\v\\a.xof");
    windows.calls.clear();
    Wnd().ApplyStartView(false);
    EXPECT_TRUE(Called("ShowVideoArea(panel)"));
    EXPECT_EQ(0, CountCalls("OpenBrowserPage " + service.Url("/index.aspx")));

    Wnd().SetStartViewFlag(false);
    windows.calls.clear();
    Wnd().ApplyStartView(false);
    EXPECT_FALSE(Called("ShowVideoArea(panel)")) << "the start view is left alone";
}

TEST_F(MainWndTest, ViewModesResizeAroundTheCentre) {
    Open(1300, 800);
    ::MoveWindow(DialogHwnd(), 100, 50, 1300, 800, TRUE);
    FollowDialog();
    windows.calls.clear();
    struct Step {
        LPCWSTR id;
        RECT expected;
        LPCWSTR left, right;
        int showType;
        const char* panel;
    };
    const Step steps[] = {
        {L"hide-both", {315, 50, 1340, 850}, L"none", L"none", 0, "ShowLeftPanel(hide)"},
        {L"hide-both", {315, 50, 1340, 850}, L"none", L"none", 0, nullptr},  // already active: nothing
        {L"hide-right", {217, 50, 1438, 850}, L"block", L"none", 1, "ShowLeftPanel(show)"},  // -197/2 is -98
        {L"show-both", {100, 50, 1555, 850}, L"block", L"block", 2, "ShowLeftPanel(show)"},
    };
    for (const Step& s : steps) {
        std::string id = CStringA(s.id).GetString();
        windows.calls.clear();
        ClickElement(s.id);
        EXPECT_EQ(Show(s.expected), Show(DialogRect())) << id;
        EXPECT_STREQ(s.left, Manager().GetElementStyle(L"left", "display")) << id;
        EXPECT_STREQ(s.right, Manager().GetElementStyle(L"right", "display")) << id;
        EXPECT_EQ(s.showType, CUserConfig::GetInstance().GetAllConfig().WindowShowType) << id;
        if (s.panel) {
            EXPECT_TRUE(Called(s.panel)) << id;
            EXPECT_TRUE(Called("SetViewModeFromId " + id)) << id;
            EXPECT_TRUE(Called("CenterMiddlePanel")) << id << ": the play dialog placed again";
        } else {
            EXPECT_TRUE(windows.calls.empty()) << id;
        }
        FollowDialog();
    }
}

TEST_F(MainWndTest, MaximisedViewModesKeepTheSize) {
    Open(1300, 800);
    CUserConfig::GetInstance().GetAllConfig().MaximizeWindow = true;
    RECT before = DialogRect();
    for (LPCWSTR id : {L"hide-both", L"hide-right", L"show-both"}) {
        ClickElement(id);
        EXPECT_EQ(Show(before), Show(DialogRect())) << CStringA(id).GetString();
    }
    EXPECT_STREQ(L"block", Manager().GetElementStyle(L"right", "display"));
}

TEST_F(MainWndTest, FullScreenInAndOutRestoresStylesAndRectangle) {
    Open();
    windows.videoSurfaceVisible = false;
    Wnd().ToggleFullScreen();
    EXPECT_FALSE(CAppFacade::GetInstance().IsFullScreen()) << "no video: no full screen";

    windows.videoSurfaceVisible = true;
    RECT before = DialogRect();
    Manager().SetElementStyle(L"right", "display", L"none");
    windows.calls.clear();
    Wnd().ToggleFullScreen();
    EXPECT_TRUE(CAppFacade::GetInstance().IsFullScreen());
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(Show({-5, -36, width + 6, height}), Show(DialogRect()));
    for (LPCWSTR id : {L"top1", L"top2", L"left", L"right"})
        EXPECT_STREQ(L"none", Manager().GetElementStyle(id, "display")) << CStringA(id).GetString();
    EXPECT_STREQ(L"0px", Manager().GetElementStyle(L"bottom", "margin-left"));
    EXPECT_TRUE(Called("ShowControlBarTimes 0 00:00:00 00:00:00"));
    EXPECT_TRUE(Called("UpdateCursorTimer"));

    windows.calls.clear();
    Wnd().ToggleFullScreen();
    EXPECT_FALSE(CAppFacade::GetInstance().IsFullScreen());
    EXPECT_EQ(Show(before), Show(DialogRect()));
    EXPECT_STREQ(L"block", Manager().GetElementStyle(L"top1", "display")) << "as it was";
    EXPECT_STREQ(L"none", Manager().GetElementStyle(L"right", "display")) << "as it was before";
    EXPECT_STREQ(L"5px", Manager().GetElementStyle(L"bottom", "margin-left"));
    EXPECT_TRUE(Called("HideControlBar"));
    EXPECT_TRUE(Called("SetSeekPosition 0"));
    EXPECT_TRUE(IsWindowVisible(DialogHwnd()));
    RECT none = Manager().GetFullScreenRect();
    EXPECT_EQ("0,0 0,0", Show(none));
}

}  // namespace
