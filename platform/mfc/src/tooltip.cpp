#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {
// The tool record of a window (or an area of it); without an area the id is the window.
TOOLINFO ToolInfo(CWnd* wnd, LPCTSTR text, LPCRECT rect, UINT_PTR id) {
    TOOLINFO info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = wnd ? wnd->m_hWnd : nullptr;
    info.lpszText = const_cast<LPTSTR>(text);
    if (rect) {
        info.rect = *rect;
        info.uId = id;
    } else if (id == 0 && wnd) {
        info.uFlags |= TTF_IDISHWND;
        info.uId = (UINT_PTR)wnd->m_hWnd;
        if (HWND parent = ::GetParent(wnd->m_hWnd)) info.hwnd = parent;
    } else {
        info.uId = id;
        if (wnd) ::GetClientRect(wnd->m_hWnd, &info.rect);
    }
    return info;
}
}  // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | style, CRect(), parent, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect, UINT_PTR id) {
    TOOLINFO info = ToolInfo(wnd, text, rect, id);
    return (BOOL)::SendMessage(m_hWnd, TTM_ADDTOOL, 0, (LPARAM)&info);
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR id) {
    TOOLINFO info = ToolInfo(wnd, nullptr, nullptr, id);
    ::SendMessage(m_hWnd, TTM_DELTOOL, 0, (LPARAM)&info);
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR id) {
    TOOLINFO info = ToolInfo(wnd, text, nullptr, id);
    ::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, (LPARAM)&info);
}
