#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>

namespace {

const UINT WM_TEST_REGISTERED = RegisterWindowMessage(_T("ZemoMfcTestRegistered"));

std::string At(CPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// Each handler writes what it was given, so that the table below checks how every
// entry unpacks its message.
class CEntriesWnd : public CWnd {
public:
    std::string last;

protected:
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        last = dc.GetSafeHdc() ? "paint" : "paint without DC";
    }
    afx_msg BOOL OnEraseBkgnd(CDC* dc) {
        last = std::string("erase ") + (dc->GetSafeHdc() ? "dc" : "null");
        return TRUE;
    }
    afx_msg void OnMouseMove(UINT flags, CPoint p) { last = "move " + std::to_string(flags) + " " + At(p); }
    afx_msg void OnLButtonDown(UINT flags, CPoint p) { last = "ldown " + std::to_string(flags) + " " + At(p); }
    afx_msg void OnLButtonUp(UINT, CPoint p) { last = "lup " + At(p); }
    afx_msg void OnLButtonDblClk(UINT, CPoint p) { last = "ldbl " + At(p); }
    afx_msg void OnRButtonDown(UINT, CPoint p) { last = "rdown " + At(p); }
    afx_msg void OnRButtonUp(UINT, CPoint p) { last = "rup " + At(p); }
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint p) {
        last = "wheel " + std::to_string(flags) + " " + std::to_string(delta) + " " + At(p);
        return TRUE;
    }
    afx_msg void OnMouseHover(UINT, CPoint p) { last = "hover " + At(p); }
    afx_msg void OnMouseLeave() { last = "leave"; }
    afx_msg void OnEnable(BOOL enabled) { last = "enable " + std::to_string(enabled); }
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags) {
        last = "keydown " + std::to_string(key) + " " + std::to_string(repeat) + " " + std::to_string(flags);
    }
    afx_msg void OnKeyUp(UINT key, UINT, UINT) { last = "keyup " + std::to_string(key); }
    afx_msg void OnChar(UINT c, UINT repeat, UINT) {
        last = "char " + std::to_string(c) + " " + std::to_string(repeat);
    }
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hit, UINT message) {
        last = std::string("cursor ") + (wnd == this ? "self " : "other ") + std::to_string(hit) + " " +
               std::to_string(message);
        return TRUE;
    }
    afx_msg void OnShowWindow(BOOL show, UINT status) {
        last = "show " + std::to_string(show) + " " + std::to_string(status);
    }
    afx_msg void OnSetFocus(CWnd* previous) { last = std::string("setfocus ") + (previous ? "from" : "none"); }
    afx_msg void OnKillFocus(CWnd* next) { last = std::string("killfocus ") + (next == this ? "self" : "other"); }
    afx_msg UINT OnGetDlgCode() {
        last = "dlgcode";
        return DLGC_WANTALLKEYS;
    }
    afx_msg void OnSize(UINT type, int cx, int cy) {
        last = "size " + std::to_string(type) + " " + std::to_string(cx) + "x" + std::to_string(cy);
    }
    afx_msg void OnMove(int x, int y) { last = "move to " + std::to_string(x) + "," + std::to_string(y); }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* info) {
        info->ptMinTrackSize.x = 123;
        last = "minmax";
    }
    afx_msg void OnClose() { last = "close"; }
    afx_msg HCURSOR OnQueryDragIcon() {
        last = "dragicon";
        return (HCURSOR)(UINT_PTR)0x1234;
    }
    afx_msg LRESULT OnRegistered(WPARAM w, LPARAM l) {
        last = "registered " + std::to_string(w) + " " + std::to_string(l);
        return 99;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEntriesWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_MOUSEWHEEL()
ON_WM_MOUSEHOVER()
ON_WM_MOUSELEAVE()
ON_WM_ENABLE()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_CHAR()
ON_WM_SETCURSOR()
ON_WM_SHOWWINDOW()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_GETDLGCODE()
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_GETMINMAXINFO()
ON_WM_CLOSE()
ON_WM_QUERYDRAGICON()
ON_REGISTERED_MESSAGE(WM_TEST_REGISTERED, OnRegistered)
END_MESSAGE_MAP()

TEST(MessageMapTest, EachEntryUnpacksItsMessage) {
    CEntriesWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, _T("entries"), WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    HDC screen = GetDC(nullptr);
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* logged;
        LRESULT result;
    };
    const Case cases[] = {
        {WM_ERASEBKGND, (WPARAM)screen, 0, "erase dc", TRUE},
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((WORD)-3, 4), "move 1 -3,4", 0},
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, 6), "ldown 5 5,6", 0},
        {WM_LBUTTONUP, 0, MAKELPARAM(7, 8), "lup 7,8", 0},
        {WM_LBUTTONDBLCLK, 0, MAKELPARAM(1, 2), "ldbl 1,2", 0},
        {WM_RBUTTONDOWN, 0, MAKELPARAM(3, 4), "rdown 3,4", 0},
        {WM_RBUTTONUP, 0, MAKELPARAM(9, 10), "rup 9,10", 0},
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)-120), MAKELPARAM(700, 800), "wheel 8 -120 700,800", TRUE},
        {WM_MOUSEHOVER, 0, MAKELPARAM(11, 12), "hover 11,12", 0},
        {WM_MOUSELEAVE, 0, 0, "leave", 0},
        {WM_ENABLE, FALSE, 0, "enable 0", 0},
        {WM_KEYDOWN, VK_SPACE, MAKELPARAM(2, 0x39), "keydown 32 2 57", 0},
        {WM_KEYUP, VK_RETURN, 0, "keyup 13", 0},
        {WM_CHAR, 'a', 3, "char 97 3", 0},
        {WM_SHOWWINDOW, TRUE, SW_PARENTOPENING, "show 1 3", 0},
        {WM_SETFOCUS, 0, 0, "setfocus none", 0},
        {WM_GETDLGCODE, 0, 0, "dlgcode", DLGC_WANTALLKEYS},
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), "size 2 640x480", 0},
        {WM_MOVE, 0, MAKELPARAM((WORD)-20, 30), "move to -20,30", 0},
        {WM_CLOSE, 0, 0, "close", 0},
        {WM_QUERYDRAGICON, 0, 0, "dragicon", 0x1234},
        {WM_TEST_REGISTERED, 4, 5, "registered 4 5", 99},
    };
    for (const Case& c : cases) {
        wnd.last.clear();
        EXPECT_EQ(c.result, wnd.SendMessage(c.message, c.wParam, c.lParam)) << c.logged;
        EXPECT_EQ(c.logged, wnd.last);
    }
    ReleaseDC(nullptr, screen);

    wnd.last.clear();
    wnd.SendMessage(WM_SETCURSOR, (WPARAM)wnd.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ("cursor self 1 512", wnd.last);
    EXPECT_TRUE(IsWindow(wnd.m_hWnd)) << "the handler took WM_CLOSE";
    MINMAXINFO info = {};
    wnd.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&info);
    EXPECT_EQ(123, info.ptMinTrackSize.x);
    wnd.ShowWindow(SW_SHOWNA);
    wnd.Invalidate();
    wnd.UpdateWindow();
    EXPECT_EQ("paint", wnd.last);
}

}  // namespace
