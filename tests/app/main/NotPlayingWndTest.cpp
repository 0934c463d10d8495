// The idle panel in a real window: its logo, prompt and buttons where the layout puts
// them (screenshot build/.../tests/app/artifacts/idle-panel.png), and its buttons.
#include "MainWndFixture.h"

#include "NotPlayingWnd.h"
#include "WindowCapture.h"
#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"
#include "fakes/FakeWindows.h"
#include "support/MessageBoxAnswerer.h"

namespace {

const RECT kPanel = {60, 60, 860, 560};

class NotPlayingWndTest : public testing::Test {
protected:
    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
        CAppFacade::GetInstance().ClearPlayList(false);
        CAppFacade::GetInstance().SetFullScreen(false);
        panel = std::make_unique<CNotPlayingWnd>();
        ASSERT_TRUE(panel->CreateEx(WS_EX_TOPMOST, nullptr, L"idle panel", WS_POPUP | WS_VISIBLE, kPanel, nullptr, 0));
        Pump();
    }
    void TearDown() override {
        panel.reset();
        CAppFacade::GetInstance().SetFullScreen(false);
        Gdiplus::GdiplusShutdown(token);
    }
    static void Pump() {
        MSG msg;
        for (int i = 0; i < 10; ++i) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(10);
        }
    }
    // A real click in the middle of the button.
    void Click(CWnd& button) {
        RECT r = {};
        button.GetClientRect(&r);
        LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
        button.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        button.PostMessage(WM_LBUTTONUP, 0, at);
        Pump();
    }
    RECT ChildRect(CWnd& child) {
        RECT r = {};
        child.GetWindowRect(&r);
        ::MapWindowPoints(nullptr, panel->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    ULONG_PTR token = 0;
    FakeWindows windows;
    std::unique_ptr<CNotPlayingWnd> panel;
};

TEST_F(NotPlayingWndTest, LogoPromptAndButtonsWhereTheLayoutPutsThem) {
    POINT at = panel->Anchor();
    EXPECT_EQ((int)(500 * 0.27), at.y);
    RECT first = ChildRect(panel->PlayLatestButton()), second = ChildRect(panel->DownloadOtherButton());
    EXPECT_EQ(Show(RECT{at.x + 5, at.y + 195, at.x + 5 + 232, at.y + 195 + 40}), Show(first));
    EXPECT_EQ(Show(RECT{at.x + 22, at.y + 252, at.x + 22 + 186, at.y + 252 + 38}), Show(second));

    panel->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    WindowCapture shot(panel->m_hWnd);
    CString artifacts = GetProgramFolder() + L"artifacts\\";
    CreateDirectoryW(artifacts, nullptr);
    ASSERT_TRUE(shot.SavePng(artifacts + L"idle-panel.png"));
    EXPECT_EQ(RGB(0, 0, 0), shot.Pixel(10, 10)) << "black around the logo";
    int white = 0;  // the prompt's white text
    for (int y = at.y + 170; y < at.y + 190; ++y)
        for (int x = at.x + 5; x < at.x + 45; ++x)
            if (GetRValue(shot.Pixel(x, y)) > 200 && GetGValue(shot.Pixel(x, y)) > 200) ++white;
    EXPECT_GT(white, 10);
    COLORREF button = shot.Pixel(first.left + 116, first.top + 20);
    EXPECT_NE(RGB(0, 0, 0), button) << "the play-latest image";
}

TEST_F(NotPlayingWndTest, PlayLatestOnAnEmptyListSaysSoAndPlaysNothing) {
    MessageBoxAnswerer answers;
    Click(panel->PlayLatestButton());
    ASSERT_EQ(1u, answers.Shown().size());
    EXPECT_EQ(L"播放列表为空，请先添加视频再播放", answers.Shown()[0].Text);
    std::vector<std::string> expected = {"PlayLastPlayed"};
    EXPECT_EQ(expected, windows.calls) << "the main window plays nothing for an empty list";
}

TEST_F(NotPlayingWndTest, DownloadOtherLeavesFullScreenAndOpensTheFirstTab) {
    CAppFacade::GetInstance().SetFullScreen(true);
    Click(panel->DownloadOtherButton());
    std::vector<std::string> expected = {"ToggleFullScreen", "OpenTabPage 1"};
    EXPECT_EQ(expected, windows.calls);
}

}  // namespace
