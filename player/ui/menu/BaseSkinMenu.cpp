#include "menu/BaseSkinMenu.h"

CBaseSkinMenu::CBaseSkinMenu() = default;

CBaseSkinMenu::~CBaseSkinMenu() { DestroyMenu(); }

void CBaseSkinMenu::SetRowHeights(int rowHeight, int separatorHeight, int capHeight) {
    m_nRowHeight = rowHeight;
    m_nSeparatorHeight = separatorHeight;
    m_nCapHeight = capHeight;
}

void CBaseSkinMenu::SetColors(Gdiplus::ARGB text, Gdiplus::ARGB selectedText, Gdiplus::ARGB disabledText,
                              Gdiplus::ARGB fourth) {
    m_textColor = text;
    m_selectedTextColor = selectedText;
    m_disabledTextColor = disabledText;
    m_fourthColor = fourth;
}

BOOL CBaseSkinMenu::LoadSkinMenu(UINT resourceId) {
    CMenu source;
    if (!source.LoadMenu(resourceId)) return FALSE;
    CMenu* items = source.GetSubMenu(0);
    if (!items || !CreatePopupMenu()) return FALSE;

    AppendRow(MF_OWNERDRAW, 0, 0, MENU_ROW_TOP_CAP, CString());
    int count = (int)items->GetMenuItemCount();
    for (int position = 0; position < count; ++position) {
        UINT id = items->GetMenuItemID(position);
        if (id == (UINT)-1) continue;  // submenus are not copied
        UINT state = items->GetMenuState(position, MF_BYPOSITION);
        // The check, grayed and disabled states stay.
        UINT flags = (state & ~(UINT)(MF_SEPARATOR | MF_BITMAP)) | MF_OWNERDRAW;
        if (state & MF_SEPARATOR) {
            AppendRow(flags, 0, position + 1, MENU_ROW_SEPARATOR, CString());
        } else {
            CString text;
            items->GetMenuString(position, text, MF_BYPOSITION);
            AppendRow(flags, id, position + 1, MENU_ROW_ITEM, text);
        }
    }
    AppendRow(MF_OWNERDRAW, 0, count + 1, MENU_ROW_BOTTOM_CAP, CString());
    return TRUE;
}

void CBaseSkinMenu::MeasureItem(LPMEASUREITEMSTRUCT item) {
    auto* record = reinterpret_cast<const MENU_ITEM_RECORD*>(item->itemData);
    if (!record) return;
    item->itemWidth = (UINT)m_nItemWidth;
    item->itemHeight = (UINT)RowHeight(record->nKind);
}

int CBaseSkinMenu::RowHeight(int kind) const {
    switch (kind) {
        case MENU_ROW_SEPARATOR:
            return m_nSeparatorHeight;
        case MENU_ROW_TOP_CAP:
        case MENU_ROW_BOTTOM_CAP:
            return m_nCapHeight;
        default:
            return m_nRowHeight;
    }
}

void CBaseSkinMenu::AppendRow(UINT flags, UINT_PTR id, int index, int kind, const CString& text) {
    m_rows.push_back(std::make_unique<MENU_ITEM_RECORD>(MENU_ITEM_RECORD{index, kind, text}));
    AppendMenu(flags, id, reinterpret_cast<LPCTSTR>(m_rows.back().get()));
}
