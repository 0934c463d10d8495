// The real pointer moved over a window: these cases hold the screen's pointer lock.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>
#include <vector>

#include "DialogDriver.h"

namespace {

// Asks for hover and leave notifications on the first move, as skinned controls do.
class CHoverWnd : public CWnd {
public:
    std::vector<std::string> log;

protected:
    afx_msg void OnMouseMove(UINT, CPoint) {
        if (log.empty() || log.back() != "move") log.push_back("move");
        TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 1};
        TrackMouseEvent(&track);
    }
    afx_msg void OnMouseHover(UINT, CPoint) { log.push_back("hover"); }
    afx_msg void OnMouseLeave() { log.push_back("leave"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHoverWnd, CWnd)
ON_WM_MOUSEMOVE()
ON_WM_MOUSEHOVER()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

// Pumps until the log ends with the entry (or a few seconds pass).
bool WaitFor(const std::vector<std::string>& log, const std::string& entry) {
    for (int i = 0; i < 300; ++i) {
        PumpWindowMessages();
        if (!log.empty() && log.back() == entry) return true;
        Sleep(10);
    }
    return false;
}

TEST(MessageMapRealPointerTest, HoverAndLeaveReachTheMap) {
    const CRect place(1000, 640, 1100, 700);
    CHoverWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(WS_EX_TOPMOST, nullptr, _T("hover"), WS_POPUP | WS_VISIBLE, place, nullptr, 0));
    wnd.UpdateWindow();
    SetCursorPos(place.left - 30, place.top - 30);
    PumpWindowMessages();
    SetCursorPos(place.CenterPoint().x, place.CenterPoint().y);
    EXPECT_TRUE(WaitFor(wnd.log, "hover")) << "log ends " << (wnd.log.empty() ? "empty" : wnd.log.back());
    SetCursorPos(place.left - 30, place.top - 30);
    EXPECT_TRUE(WaitFor(wnd.log, "leave")) << "log ends " << (wnd.log.empty() ? "empty" : wnd.log.back());
}

}  // namespace
