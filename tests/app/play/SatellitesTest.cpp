// The size bar, the seek bar and the full-screen bar around a playing dialog; the
// tests whose names say RealPointer move the screen's pointer and run one at a time.
#include "PlayDialogFixture.h"

#include <afxapp.h>

#include "DlgVideoProgress.h"
#include "TestModules.h"
#include "common/WindowMessages.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "resource.h"

namespace {

constexpr LONGLONG kSecond = 10000000;

CRect ScreenRect(CWnd& window) {
    CRect rect;
    window.GetWindowRect(&rect);
    return rect;
}

// A rectangle relative to another window's top-left corner.
CRect RelativeTo(CWnd& window, CWnd& origin) {
    CRect rect = ScreenRect(window), base = ScreenRect(origin);
    rect.OffsetRect(-base.left, -base.top);
    return rect;
}

}  // namespace

class SatellitesTest : public PlayDialogTest {
protected:
    // Moves the pointer to a point of the play dialog's client area and tells the dialog.
    void MovePointerTo(int x, int y) {
        POINT screen = {x, y};
        ::ClientToScreen(play.GetSafeHwnd(), &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::PostMessage(play.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        Pump(50);
    }
    bool SizeBarVisible() { return play.GetSizeBar().IsWindowVisible() != FALSE; }
};

TEST_F(SatellitesTest, RealPointerSizeBarShowsAtTheTopRightAndHidesThreeSecondsAfterThePointerLeaves) {
    Open("flv1_aac_6s");
    MovePointerTo(320, 300);
    ASSERT_TRUE(SizeBarVisible());
    CRect bar = ScreenRect(play.GetSizeBar()), dialog = ScreenRect(play);
    EXPECT_EQ(bar.right, dialog.right);
    EXPECT_EQ(bar.top, dialog.top);
    // Outside full screen the quick full-screen button is hidden, the others shown.
    EXPECT_FALSE(play.GetSizeBar().GetDlgItem(IDC_BTN_QUICK_FULLSCREEN)->IsWindowVisible());
    EXPECT_TRUE(play.GetSizeBar().GetDlgItem(IDC_BTN_PIN)->IsWindowVisible());

    ::SetCursorPos(1300, 1000);
    DWORD left = GetTickCount();
    Pump(2700);
    EXPECT_TRUE(SizeBarVisible());
    ASSERT_TRUE(PumpUntil([&] { return !SizeBarVisible(); }, 1500));
    DWORD hiddenAfter = GetTickCount() - left;
    EXPECT_GE(hiddenAfter, 2900u);
    EXPECT_LE(hiddenAfter, 3500u);

    // Resting in the bar's strip keeps it.
    MovePointerTo(320, 300);
    MovePointerTo(320, 30);
    Pump(3600);
    EXPECT_TRUE(SizeBarVisible());
}

TEST_F(SatellitesTest, PinMakesTheMainWindowTopmostAndUnpinRemovesIt) {
    // A main window of its own: the platform keeps an owner of topmost windows (the
    // full-screen bar) out of the topmost band.
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, L"pinned", WS_POPUP | WS_VISIBLE, CRect(0, 0, 80, 60), nullptr, 0));
    AfxGetApp()->m_pMainWnd = &main;
    CDlgPlaySize& sizeBar = play.GetSizeBar();
    auto topmost = [&] { return (main.GetExStyle() & WS_EX_TOPMOST) != 0; };
    ASSERT_FALSE(topmost());
    sizeBar.TogglePin();
    EXPECT_TRUE(sizeBar.IsPinned());
    EXPECT_TRUE(topmost());
    sizeBar.TogglePin();
    EXPECT_FALSE(sizeBar.IsPinned());
    EXPECT_FALSE(topmost());
    // A window that is topmost already stays so when pinned.
    ::SetWindowPos(main.GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(topmost());
    sizeBar.TogglePin();
    EXPECT_TRUE(topmost());
    sizeBar.TogglePin();
    EXPECT_FALSE(topmost());
    AfxGetApp()->m_pMainWnd = &mainDialog;
}

TEST_F(SatellitesTest, SeekBarNotificationsSeekAndItsEndPlaysTheNextFile) {
    Open("flv1_aac_6s");
    play.Pause(false);
    CDlgVideoProgress progress;
    ASSERT_TRUE(progress.Create(&mainDialog));
    for (UINT message : {(UINT)WM_SLIDER_JUMPED, (UINT)WM_SLIDER_MOVING}) {
        int position = message == WM_SLIDER_JUMPED ? 500 : 250;
        progress.GetSlider().SetPos(position);
        EXPECT_EQ(::SendMessage(progress.GetSafeHwnd(), message, IDC_SLIDER, position), 1);
        Pump(300);
        int shown = 0;
        CString elapsed, total;
        play.GetPlayTimes(shown, elapsed, total);
        EXPECT_NEAR(shown, position, 20) << message;
    }
    LONGLONG before = Position();
    progress.SetProgress(300, false);
    Pump(200);
    EXPECT_EQ(progress.GetSlider().GetPos(), 300);
    EXPECT_NEAR((double)Position(), (double)before, 0.05 * kSecond);
    EXPECT_FALSE(Broadcasted(CMD_PLAY_NEXT));
    progress.SetProgress(1000, false);
    EXPECT_TRUE(Broadcasted(CMD_PLAY_NEXT));
}

TEST_F(SatellitesTest, FullScreenBarSeeksFromItsOwnSliderOnly) {
    Open("flv1_aac_6s");
    play.Pause(false);
    bar.GetSlider().SetPos(500);
    EXPECT_EQ(::SendMessage(bar.GetSafeHwnd(), WM_SLIDER_JUMPED, IDC_SLIDER + 1, 500), 1);
    Pump(300);
    EXPECT_LT(Position(), kSecond);
    EXPECT_EQ(::SendMessage(bar.GetSafeHwnd(), WM_SLIDER_JUMPED, IDC_SLIDER, 500), 1);
    Pump(300);
    EXPECT_NEAR((double)Position(), 3.0 * kSecond, 0.1 * kSecond);
    bar.SetProgress(L"00:00:01", L"00:00:05", 1000);
    EXPECT_TRUE(Broadcasted(CMD_PLAY_NEXT));
    ASSERT_NE(bar.GetControlPage().GetManager(), nullptr);
    htmlayout::dom::element time = bar.GetControlPage().GetManager()->GetElementById(L"play-time");
    ASSERT_TRUE(time.is_valid());
    EXPECT_STREQ(time.inner_text().c_str(), L"00:00:01 / 00:00:05");
}

TEST_F(SatellitesTest, BarsLayOutForTheScreen) {
    int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    CRect strip = ScreenRect(bar);
    EXPECT_EQ(strip, CRect(0, height - 65, width, height));
    EXPECT_NE(bar.GetExStyle() & WS_EX_TOPMOST, 0u);
    bar.ShowBar();
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(RelativeTo(bar.GetSlider(), bar), CRect(23, 5, width - 23, 18));
    EXPECT_EQ(RelativeTo(*bar.GetDlgItem(IDC_BTN_REWIND), bar), CRect(5, 7, 20, 16));
    EXPECT_EQ(RelativeTo(*bar.GetDlgItem(IDC_BTN_FORWARD), bar), CRect(width - 20, 7, width - 5, 16));
    EXPECT_EQ(RelativeTo(bar.GetControlPage(), bar), CRect(0, 25, width, 60));

    CDlgVideoProgress progress;
    ASSERT_TRUE(progress.Create(&mainDialog));
    CRect client;
    progress.GetClientRect(&client);
    CRect slider = ScreenRect(progress.GetSlider());
    ::ScreenToClient(progress.GetSafeHwnd(), (POINT*)&slider);
    ::ScreenToClient(progress.GetSafeHwnd(), (POINT*)&slider + 1);
    EXPECT_EQ(slider, CRect(71, 28, 309, 46));
    EXPECT_EQ(progress.GetSlider().GetRangeMax(), 1000);
}

TEST(SeekBarTimeFont, TheLargestSizeThatFitsFromNineDownToOne) {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    {
        Gdiplus::Bitmap bitmap(100, 20, PixelFormat32bppARGB);
        Gdiplus::Graphics graphics(&bitmap);
        auto width = [&](const CString& text, int size) {
            Gdiplus::FontFamily family(L"SimSun");
            Gdiplus::Font font(family.IsAvailable() ? &family : Gdiplus::FontFamily::GenericSansSerif(),
                               (Gdiplus::REAL)size, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
            Gdiplus::RectF bounds;
            graphics.MeasureString(text, text.GetLength(), &font, Gdiplus::PointF(0, 0), &bounds);
            return bounds.Width;
        };
        int previous = 9;
        for (const wchar_t* text : {L"00:00:06", L"100:00:06", L"1000:00:00:06", L"00:00:00:00:00:00:00"}) {
            int size = FitTimeFontSize(graphics, text, 55);
            EXPECT_LE(size, previous) << std::wstring(text).size();
            EXPECT_LE(width(text, size), 55) << size;
            if (size < 9) EXPECT_GT(width(text, size + 1), 55) << size;
            previous = size;
        }
        EXPECT_EQ(FitTimeFontSize(graphics, L"00:00:00 00:00:00 00:00:00 00:00:00 00:00:00", 55), 1);
    }
    Gdiplus::GdiplusShutdown(token);
}

// The open menu's state, read by a thread timer inside the menu's own loop, which it then ends.
struct MenuProbe {
    static MenuProbe* current;
    bool opened = false, flagged = false;
    UINT fitState = 0, allState = 0, viewState = 0;
    CDlgPlay* play = nullptr;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        MenuProbe& probe = *current;
        if (!CMenu::GetTrackingMenu()) return;
        probe.opened = true;
        CMenu& menu = probe.play->GetMenu();
        probe.fitState = menu.GetMenuState(ID_SIZE_FIT, MF_BYCOMMAND);
        probe.allState = menu.GetMenuState(ID_VIEW_ALL, MF_BYCOMMAND);
        probe.viewState = menu.GetSubMenu(0)->GetMenuState(3, MF_BYPOSITION);
        probe.flagged = probe.play->IsMenuOpen();
        ::EndMenu();
    }
};
MenuProbe* MenuProbe::current = nullptr;

TEST_F(SatellitesTest, RealPointerContextMenuOpensBelowTheSizeBarStripWithItsMarks) {
    Open("flv1_aac_6s");
    auto rightClick = [&](int x, int y) {
        MenuProbe probe;
        probe.play = &play;
        MenuProbe::current = &probe;
        POINT screen = {x, y};
        ::ClientToScreen(play.GetSafeHwnd(), &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::SetTimer(nullptr, 0, 300, MenuProbe::Tick);
        ::PostMessage(play.GetSafeHwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
        Pump(600);
        MenuProbe::current = nullptr;
        return probe;
    };
    EXPECT_FALSE(rightClick(320, 30).opened);
    MenuProbe below = rightClick(320, 300);
    ASSERT_TRUE(below.opened);
    EXPECT_TRUE(below.flagged);
    EXPECT_NE(below.fitState & MF_CHECKED, 0u);
    EXPECT_NE(below.allState & MF_CHECKED, 0u);
    EXPECT_EQ(below.viewState & MF_GRAYED, 0u);
    EXPECT_FALSE(play.IsMenuOpen());

    CAppFacade::GetInstance().SetFullScreen(true);
    MenuProbe full = rightClick(320, 30);
    ASSERT_TRUE(full.opened);
    EXPECT_NE(full.viewState & MF_GRAYED, 0u);
}

TEST_F(SatellitesTest, RealPointerFullScreenHidesTheRestingCursorUnlessItRestsOverTheBars) {
    Open("flv1_aac_6s");
    MovePointerTo(320, 300);
    play.OnFullScreen();
    ASSERT_TRUE(CAppFacade::GetInstance().IsFullScreen());
    MovePointerTo(330, 310);
    DWORD still = GetTickCount();
    EXPECT_TRUE(PumpUntil([&] { return !play.IsCursorShown(); }, 6000));
    // The platform's own pointer messages, sent as the bars appear under the pointer,
    // count as movements too: the rest starts at the last of them.
    DWORD hiddenAfter = GetTickCount() - still;
    EXPECT_GE(hiddenAfter, 3000u);
    EXPECT_LE(hiddenAfter, 5500u);
    MovePointerTo(340, 320);
    EXPECT_TRUE(play.IsCursorShown());

    // Over the full-screen bar's strip at the bottom of the screen the cursor stays.
    ::SetCursorPos(800, ::GetSystemMetrics(SM_CYSCREEN) - 20);
    Pump(3600);
    EXPECT_TRUE(play.IsCursorShown());

    play.OnFullScreen();
    EXPECT_FALSE(CAppFacade::GetInstance().IsFullScreen());
    EXPECT_TRUE(play.IsCursorShown());
}
