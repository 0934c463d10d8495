#include <gtest/gtest.h>

#include <afxapp.h>

#include <algorithm>

#include "ControlHost.h"
#include "DialogDriver.h"
#include "dialog/DialogSteps.h"
#include "dialog/DlgMessage.h"
#include "fakes/FakeWindows.h"
#include "resource.h"

namespace {

// The program's message loop for a while: each message offered to the windows'
// PreTranslateMessage first.
void RunLoopFor(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (AfxWalkPreTranslateMessage(&msg)) continue;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        Sleep(10);
    }
}

class DlgMessageTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(popup.Create(IDD_DLG_MESSAGE));
        ::SetWindowPos(popup.m_hWnd, HWND_TOP, 200, 200, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    }
    void TearDown() override { popup.DestroyWindow(); }

    GdiplusScope gdiplus;
    FakeWindows windows;
    CDlgMessage popup;
};

TEST_F(DlgMessageTest, HidesThreeSecondsAfterTheLastText) {
    popup.SetMessage(L"开始缓冲");
    RunLoopFor(2000);
    EXPECT_TRUE(popup.IsWindowVisible());
    popup.SetMessage(L"缓冲完成");  // the three seconds start again
    RunLoopFor(2000);
    EXPECT_TRUE(popup.IsWindowVisible()) << "4 s after the first text, 2 s after the second";
    RunLoopFor(1600);
    EXPECT_FALSE(popup.IsWindowVisible());

    // The close button hides it too, and it can be shown again.
    popup.ShowWindow(SW_SHOW);
    popup.SendDlgItemMessage(IDCANCEL, BM_CLICK);
    EXPECT_FALSE(popup.IsWindowVisible());
    popup.ShowWindow(SW_SHOW);
    popup.SetMessage(L"再次显示");
    EXPECT_TRUE(popup.IsWindowVisible());
}

TEST_F(DlgMessageTest, KeysGoToTheHotKeysFirst) {
    popup.SetFocus();
    CDialogDriver::PostKey(popup.m_hWnd, VK_SPACE);
    RunLoopFor(200);
    EXPECT_EQ(1, std::count(windows.calls.begin(), windows.calls.end(), "TogglePlayPause"));
    EXPECT_TRUE(popup.IsWindowVisible()) << "the key was taken, not turned into a cancel";
}

TEST_F(DlgMessageTest, ALongTextKeepsItsHeadAndTailInTheBand) {
    popup.SetMessage(L"正在播放 D:\\视频\\一个很长很长的文件夹名字\\又一个很长的文件夹\\第十二集 结局.xof");
    RunLoopFor(100);
    WindowCapture shot = KeepScreenshot(popup, L"dialog-message");
    CRect client;
    popup.GetClientRect(&client);
    // Grey band, yellow text inside the text box, the close button at the right end.
    EXPECT_TRUE(IsNear(shot.Pixel(2, client.Height() - 2), RGB(100, 100, 100), 2));
    EXPECT_TRUE(HasColorNear(shot, CRect(5, 25, client.Width() / 3, client.Height() - 5), RGB(255, 255, 0), 60));
    EXPECT_TRUE(HasColorNear(shot, CRect(client.Width() * 2 / 3, 25, client.Width() - 5, client.Height() - 5),
                             RGB(255, 255, 0), 60));
    EXPECT_FALSE(HasColorNear(shot, CRect(0, 0, client.Width(), 24), RGB(255, 255, 0), 60)) << "nothing above the box";
    CRect close = ControlRect(popup, IDCANCEL);
    EXPECT_GT(close.left, client.Width() - 40);
}

}  // namespace
