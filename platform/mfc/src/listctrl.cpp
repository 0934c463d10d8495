#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    DeleteImageList();
    m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList != nullptr;
}

BOOL CImageList::DeleteImageList() {
    if (!m_hImageList) return FALSE;
    ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
    return TRUE;
}

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width, int subItem) {
    LVCOLUMN info = {};
    info.mask = LVCF_TEXT | LVCF_FMT;
    info.fmt = format;
    info.pszText = const_cast<LPTSTR>(heading);
    if (width != -1) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subItem != -1) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return (int)::SendMessage(m_hWnd, LVM_INSERTCOLUMN, (WPARAM)column, (LPARAM)&info);
}

int CListCtrl::InsertItem(int item, LPCTSTR text, int image) {
    LVITEM info = {};
    info.mask = LVIF_TEXT;
    info.iItem = item;
    info.pszText = const_cast<LPTSTR>(text);
    if (image != -1) {
        info.mask |= LVIF_IMAGE;
        info.iImage = image;
    }
    return (int)::SendMessage(m_hWnd, LVM_INSERTITEM, 0, (LPARAM)&info);
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCTSTR text) {
    LVITEM info = {};
    info.iSubItem = subItem;
    info.pszText = const_cast<LPTSTR>(text);
    return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMTEXT, (WPARAM)item, (LPARAM)&info);
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    CString text;
    if (item < 0 || item >= GetItemCount()) return text;
    LVITEM info = {};
    info.iSubItem = subItem;
    // The control copies at most cchTextMax - 1 characters: grow until the text fits.
    for (int size = 256;; size *= 2) {
        info.cchTextMax = size;
        info.pszText = text.GetBuffer(size);
        const int length = (int)::SendMessage(m_hWnd, LVM_GETITEMTEXT, (WPARAM)item, (LPARAM)&info);
        text.ReleaseBuffer(length);
        if (length < size - 1) return text;
    }
}
