#include "afxwin.h"

#include <shellapi.h>

namespace {
BOOL ChangeLong(HWND hWnd, int index, DWORD remove, DWORD add, UINT flags) {
    DWORD old = (DWORD)GetWindowLongPtr(hWnd, index);
    DWORD style = (old & ~remove) | add;
    if (style == old) return FALSE;
    SetWindowLongPtr(hWnd, index, (LONG_PTR)style);
    if (flags) SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}
}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    return ChangeLong(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    return ChangeLong(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::ClientToScreen(LPRECT rect) const {
    ::ClientToScreen(m_hWnd, (LPPOINT)rect);
    ::ClientToScreen(m_hWnd, (LPPOINT)rect + 1);
}

void CWnd::ScreenToClient(LPRECT rect) const {
    ::ScreenToClient(m_hWnd, (LPPOINT)rect);
    ::ScreenToClient(m_hWnd, (LPPOINT)rect + 1);
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    // Over the owner (or the given window), else over the work area; a child over its parent.
    CRect area;
    HWND over = alternateOwner ? alternateOwner->m_hWnd : nullptr;
    bool child = (GetStyle() & WS_CHILD) != 0;
    if (!over) over = child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    if (child)
        ::GetClientRect(over, &area);
    else if (over && ::IsWindowVisible(over) && !::IsIconic(over))
        ::GetWindowRect(over, &area);
    else
        SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    CRect own;
    GetWindowRect(&own);
    int x = area.left + (area.Width() - own.Width()) / 2;
    int y = area.top + (area.Height() - own.Height()) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::GetWindowText(CString& text) const {
    int length = ::GetWindowTextLength(m_hWnd);
    ::GetWindowText(m_hWnd, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    text.Empty();
    HWND item = ::GetDlgItem(m_hWnd, id);
    if (item) FromHandle(item)->GetWindowText(text);
    return text.GetLength();
}

void CWnd::DragAcceptFiles(BOOL accept) { ::DragAcceptFiles(m_hWnd, accept); }
