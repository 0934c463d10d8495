#include "window/SettingList.h"

#include "common/CommonHelpers.h"
#include "common/WindowMessages.h"
#include "window/BaseWnd.h"

namespace {
const UINT ALL_EVENTS = 0xFFFF;
}

IMPLEMENT_DYNAMIC(CSettingList, CWnd)

BEGIN_MESSAGE_MAP(CSettingList, CWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

CSettingList::CSettingList() : htmlayout::event_handler(ALL_EVENTS) {}

CSettingList::~CSettingList() { DestroyWindow(); }

BOOL CSettingList::PreCreateWindow(CREATESTRUCT& cs) {
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, LoadCursor(nullptr, IDC_ARROW),
                                       (HBRUSH)(COLOR_WINDOW + 1));
    return CWnd::PreCreateWindow(cs);
}

LRESULT CSettingList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    BOOL handled = FALSE;
    LRESULT result = HTMLayoutProcND(m_hWnd, message, wParam, lParam, &handled);
    if (handled) return result;
    return CWnd::WindowProc(message, wParam, lParam);
}

int CSettingList::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    HTMLayoutSetCallback(m_hWnd, &CBaseWnd::HtmlNotifyCallback, this);
    HTMLayoutWindowAttachEventHandler(m_hWnd, &htmlayout::event_handler::element_proc,
                                      static_cast<htmlayout::event_handler*>(this), ALL_EVENTS);
    HTMLayoutLoadFile(m_hWnd, GetProgramFolder() + L"htmllist.html");
    return 0;
}

BOOL CSettingList::on_mouse(HELEMENT, HELEMENT target, UINT eventType, POINT, UINT, UINT) {
    if ((eventType & ~HANDLED) == MOUSE_UP && target && GetParent())
        ::SendMessage(::GetParent(m_hWnd), WM_SETTING_LIST_CLICK, (WPARAM)GetDlgCtrlID(), 0);
    return FALSE;
}
