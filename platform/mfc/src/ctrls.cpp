#include "afxwin.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)

namespace {
// The control's own painting of its owner-drawn item; false for other messages.
template <class Control>
bool DrawOwnItem(Control* control, UINT message, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM) return false;
    control->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *result = TRUE;
    return true;
}
}  // namespace

BOOL CButton::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(_T("BUTTON"), text, style, rect, parent, id);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return DrawOwnItem(this, message, lParam, result) || CWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(_T("STATIC"), text, style, rect, parent, id);
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return DrawOwnItem(this, message, lParam, result) || CWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(_T("EDIT"), nullptr, style, rect, parent, id);
}

void CEdit::SetSel(int start, int end, BOOL noScroll) {
    ::SendMessage(m_hWnd, EM_SETSEL, (WPARAM)start, (LPARAM)end);
    if (!noScroll) ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}

void CEdit::GetSel(int& start, int& end) const {
    DWORD s = 0, e = 0;
    ::SendMessage(m_hWnd, EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
    start = (int)s;
    end = (int)e;
}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(_T("COMBOBOX"), nullptr, style, rect, parent, id);
}

void CComboBox::GetLBText(int index, CString& text) const {
    text.Empty();
    int length = GetLBTextLen(index);
    if (length == CB_ERR) return;
    ::SendMessage(m_hWnd, CB_GETLBTEXT, (WPARAM)index, (LPARAM)text.GetBuffer(length + 1));
    text.ReleaseBuffer();
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM)
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    else if (message == WM_MEASUREITEM)
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    else
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    *result = TRUE;
    return TRUE;
}
