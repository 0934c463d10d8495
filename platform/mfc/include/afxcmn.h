// Common controls of the class library subset.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

// A tooltip window for the tools (child windows or areas of a window) added to it.
class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    // A topmost popup owned by the parent.
    BOOL Create(CWnd* parent, DWORD style = 0);
    // A whole window as the tool (rect null and id 0), else an area of it with that id.
    BOOL AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect = nullptr, UINT_PTR id = 0);
    void DelTool(CWnd* wnd, UINT_PTR id = 0);
    void UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR id = 0);
    int GetToolCount() const { return (int)::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0); }
    void Activate(BOOL activate) { ::SendMessage(m_hWnd, TTM_ACTIVATE, activate, 0); }
    // Hands a mouse message of a tool's window to the tooltip (from PreTranslateMessage).
    void RelayEvent(LPMSG msg) { ::SendMessage(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)msg); }
    void SetDelayTime(UINT delay) { ::SendMessage(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, (LPARAM)delay); }
    void SetDelayTime(DWORD duration, int time) { ::SendMessage(m_hWnd, TTM_SETDELAYTIME, duration, time); }
    int SetMaxTipWidth(int width) { return (int)::SendMessage(m_hWnd, TTM_SETMAXTIPWIDTH, 0, width); }
    void SetTipTextColor(COLORREF colour) { ::SendMessage(m_hWnd, TTM_SETTIPTEXTCOLOR, colour, 0); }
    void SetTipBkColor(COLORREF colour) { ::SendMessage(m_hWnd, TTM_SETTIPBKCOLOR, colour, 0); }
};

// An image list that the object owns: destroyed with it unless detached first.
class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // The icon's index in the list, -1 when it could not be added.
    int Add(HICON icon) { return m_hImageList ? ImageList_AddIcon(m_hImageList, icon) : -1; }
    int GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }
    BOOL DeleteImageList();
    operator HIMAGELIST() const { return m_hImageList; }

    HIMAGELIST m_hImageList = nullptr;
};

// A list view control; rows and columns are 0-based.
class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    DWORD GetExtendedStyle() const { return (DWORD)::SendMessage(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); }
    DWORD SetExtendedStyle(DWORD style) {
        return (DWORD)::SendMessage(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)style);
    }
    // Gives the control the list for LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE (the list
    // stays the caller's); the previous list's handle.
    HIMAGELIST SetImageList(CImageList* list, int which) {
        return (HIMAGELIST)::SendMessage(m_hWnd, LVM_SETIMAGELIST, (WPARAM)which,
                                         (LPARAM)(list ? list->m_hImageList : nullptr));
    }
    // The new column's index, -1 on failure.
    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    // The new row's index, -1 on failure.
    int InsertItem(int item, LPCTSTR text, int image = -1);
    BOOL SetItemText(int item, int subItem, LPCTSTR text);
    // Empty for a row or column that does not exist.
    CString GetItemText(int item, int subItem) const;
    int GetItemCount() const { return (int)::SendMessage(m_hWnd, LVM_GETITEMCOUNT, 0, 0); }
    int GetColumnWidth(int column) const { return (int)::SendMessage(m_hWnd, LVM_GETCOLUMNWIDTH, column, 0); }
};
