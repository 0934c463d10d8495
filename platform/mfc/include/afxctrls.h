// The standard controls as window objects: created with Create or bound to a dialog's
// control (DDX_Control, SubclassDlgItem). Owner-drawn controls get their parent's
// WM_DRAWITEM and WM_MEASUREITEM through DrawItem and MeasureItem.
#pragma once

#include "afxwin.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const { return (int)::SendMessage(m_hWnd, BM_GETCHECK, 0, 0); }
    void SetCheck(int check) { ::SendMessage(m_hWnd, BM_SETCHECK, (WPARAM)check, 0); }
    UINT GetState() const { return (UINT)::SendMessage(m_hWnd, BM_GETSTATE, 0, 0); }
    void SetState(BOOL highlight) { ::SendMessage(m_hWnd, BM_SETSTATE, highlight, 0); }
    UINT GetButtonStyle() const { return (UINT)GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { ::SendMessage(m_hWnd, BM_SETSTYLE, style, redraw); }

    // An owner-drawn button's painting (BS_OWNERDRAW).
    virtual void DrawItem(LPDRAWITEMSTRUCT item) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
    HBITMAP SetBitmap(HBITMAP bitmap) {
        return (HBITMAP)::SendMessage(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap);
    }
    HBITMAP GetBitmap() const { return (HBITMAP)::SendMessage(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0); }
    HICON SetIcon(HICON icon) { return (HICON)::SendMessage(m_hWnd, STM_SETICON, (WPARAM)icon, 0); }

    // An owner-drawn static's painting (SS_OWNERDRAW).
    virtual void DrawItem(LPDRAWITEMSTRUCT item) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE) { ::SendMessage(m_hWnd, EM_REPLACESEL, canUndo, (LPARAM)text); }
    void SetLimitText(UINT maximum) { ::SendMessage(m_hWnd, EM_SETLIMITTEXT, maximum, 0); }
    void LimitText(int maximum = 0) { ::SendMessage(m_hWnd, EM_LIMITTEXT, (WPARAM)maximum, 0); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return (BOOL)::SendMessage(m_hWnd, EM_SETREADONLY, readOnly, 0); }
    void SetPasswordChar(TCHAR c) { ::SendMessage(m_hWnd, EM_SETPASSWORDCHAR, (WPARAM)c, 0); }
    int GetLineCount() const { return (int)::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0); }
    BOOL GetModify() const { return (BOOL)::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0); }
    void SetModify(BOOL modified = TRUE) { ::SendMessage(m_hWnd, EM_SETMODIFY, modified, 0); }
};

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Positions are 0-based; CB_ERR (-1) when there is none.
    int AddString(LPCTSTR text) { return (int)::SendMessage(m_hWnd, CB_ADDSTRING, 0, (LPARAM)text); }
    int InsertString(int index, LPCTSTR text) {
        return (int)::SendMessage(m_hWnd, CB_INSERTSTRING, (WPARAM)index, (LPARAM)text);
    }
    int DeleteString(UINT index) { return (int)::SendMessage(m_hWnd, CB_DELETESTRING, index, 0); }
    void ResetContent() { ::SendMessage(m_hWnd, CB_RESETCONTENT, 0, 0); }
    int GetCount() const { return (int)::SendMessage(m_hWnd, CB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return (int)::SendMessage(m_hWnd, CB_GETCURSEL, 0, 0); }
    int SetCurSel(int index) { return (int)::SendMessage(m_hWnd, CB_SETCURSEL, (WPARAM)index, 0); }
    int GetLBTextLen(int index) const { return (int)::SendMessage(m_hWnd, CB_GETLBTEXTLEN, (WPARAM)index, 0); }
    // Empties the text for a position that does not exist.
    void GetLBText(int index, CString& text) const;
    int FindString(int after, LPCTSTR text) const {
        return (int)::SendMessage(m_hWnd, CB_FINDSTRING, (WPARAM)after, (LPARAM)text);
    }
    int FindStringExact(int after, LPCTSTR text) const {
        return (int)::SendMessage(m_hWnd, CB_FINDSTRINGEXACT, (WPARAM)after, (LPARAM)text);
    }
    int SelectString(int after, LPCTSTR text) {
        return (int)::SendMessage(m_hWnd, CB_SELECTSTRING, (WPARAM)after, (LPARAM)text);
    }
    DWORD_PTR GetItemData(int index) const {
        return (DWORD_PTR)::SendMessage(m_hWnd, CB_GETITEMDATA, (WPARAM)index, 0);
    }
    int SetItemData(int index, DWORD_PTR data) {
        return (int)::SendMessage(m_hWnd, CB_SETITEMDATA, (WPARAM)index, (LPARAM)data);
    }
    void ShowDropDown(BOOL show = TRUE) { ::SendMessage(m_hWnd, CB_SHOWDROPDOWN, show, 0); }
    BOOL GetDroppedState() const { return (BOOL)::SendMessage(m_hWnd, CB_GETDROPPEDSTATE, 0, 0); }
    BOOL SetEditSel(int start, int end) {
        return (BOOL)::SendMessage(m_hWnd, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
    }
    BOOL LimitText(int maximum) { return (BOOL)::SendMessage(m_hWnd, CB_LIMITTEXT, (WPARAM)maximum, 0); }

    // An owner-drawn combo box's rows (CBS_OWNERDRAWFIXED, CBS_OWNERDRAWVARIABLE).
    virtual void DrawItem(LPDRAWITEMSTRUCT item) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT item) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
