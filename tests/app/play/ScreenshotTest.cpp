// Screenshots of a playing video as users see it: in the window with the seek bar and
// the size bar, and in full screen with the control bar. Kept under artifacts\.
#include "PlayDialogFixture.h"

#include "DlgVideoProgress.h"
#include "media/MediaColours.h"
#include "facade/AppFacade.h"

#include <cstdlib>
#include <initializer_list>

namespace {

bool Near(COLORREF colour, const MediaColour& c) {
    return abs(GetRValue(colour) - c.r) < 32 && abs(GetGValue(colour) - c.g) < 32 && abs(GetBValue(colour) - c.b) < 32;
}

// The colour of the second the paused video shows.
MediaColour ColourShown(CDlgPlay& play) {
    int position = 0;
    CString elapsed, total;
    play.GetPlayTimes(position, elapsed, total);
    return ColourOfSecond(_wtoi((LPCWSTR)elapsed + 6));
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// Other test programs' windows share the screen: the windows whose pixels are read go
// above them.
void KeepAbove(std::initializer_list<CWnd*> windows) {
    for (CWnd* window : windows)
        ::SetWindowPos(window->GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

class ScreenshotTest : public PlayDialogTest {};

TEST_F(ScreenshotTest, RealPointerPlayingVideoWithSeekBarAndSizeBar) {
    CDlgVideoProgress progress;
    ASSERT_TRUE(progress.Create(&mainDialog));
    progress.MoveWindow(170, 540, 380, 50);
    progress.ShowWindow(SW_SHOW);
    Open("flv1_aac_6s");
    progress.SetTitleText(L"flv1_aac_6s.xof");
    Pump(1200);
    int position = 0;
    CString elapsed, total;
    play.GetPlayTimes(position, elapsed, total);
    progress.SetElapsedText(elapsed);
    progress.SetTotalText(total);
    progress.SetProgress(position, false);
    POINT inside = {320, 300};
    ::ClientToScreen(play.GetSafeHwnd(), &inside);
    ::SetCursorPos(inside.x, inside.y);
    ::PostMessage(play.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(320, 300));
    play.Pause(false);
    // Paused in the middle of a second, so that the picture shown and the time read agree
    // (paused where the clock has just passed a second, the picture is still the one before).
    play.SeekToProgress(250);
    Pump(300);
    ASSERT_TRUE(play.GetSizeBar().IsWindowVisible());
    KeepAbove({&mainDialog, &play, &progress, &play.GetSizeBar()});
    Pump(300);
    CRect window;
    mainDialog.GetWindowRect(&window);
    // The video shows its second's colour in the middle of the surface (a moment later on
    // a loaded machine).
    CRect surface;
    play.GetVideoSurface().GetWindowRect(&surface);
    EXPECT_TRUE(PumpUntil(
        [&] { return Near(ScreenPixel(surface.CenterPoint().x, surface.CenterPoint().y), ColourShown(play)); }, 3000));
    EXPECT_TRUE(SaveScreen(window, L"playing-with-seek-bar-and-size-bar.png"));
}

TEST_F(ScreenshotTest, RealPointerFullScreenWithThePlayControlBar) {
    Open("flv1_aac_6s");
    int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    play.OnFullScreen();
    ASSERT_TRUE(CAppFacade::GetInstance().IsFullScreen());
    PlaceWindow(play, 0, 0, width, height);
    Pump(300);
    ::SetCursorPos(width / 2, height / 2);
    ::PostMessage(play.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(width / 2, height / 2));
    Pump(300);
    play.Pause(false);
    // Paused in the middle of a second (see above).
    play.SeekToProgress(400);
    Pump(300);
    ASSERT_TRUE(bar.IsWindowVisible());
    ASSERT_TRUE(play.GetSizeBar().IsWindowVisible());
    CRect sizeBar;
    play.GetSizeBar().GetWindowRect(&sizeBar);
    EXPECT_EQ(sizeBar.top, 20);
    EXPECT_EQ(sizeBar.right, width);
    KeepAbove({&play, &bar, &play.GetSizeBar()});
    Pump(300);
    // The paused picture may reach the screen a moment later on a loaded machine.
    EXPECT_TRUE(PumpUntil([&] { return Near(ScreenPixel(width / 2, height / 2), ColourShown(play)); }, 3000));
    EXPECT_TRUE(SaveScreen(CRect(0, 0, width, height), L"full-screen.png"));
}
