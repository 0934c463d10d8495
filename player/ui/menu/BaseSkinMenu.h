// An owner-drawn popup menu made from the first submenu of a menu resource: a top cap,
// one row per item (submenus are left out) and a bottom cap, each with a fixed height.
// While the object lives, the thread's popup-menu windows lose their frame. Drawing is
// the subclass's. User-interface thread only.
#pragma once

#include <afxwin.h>

#include <memory>
#include <vector>

#include "gdiplus/SkinGraphics.h"
#include "menu/PopupFrameHook.h"

// What a row of a skin menu shows.
enum MENU_ROW_KIND {
    MENU_ROW_ITEM = 0,
    MENU_ROW_TOP_CAP = 1,
    MENU_ROW_BOTTOM_CAP = 2,
    MENU_ROW_SEPARATOR = 2048,
};

// The item data of a row: its position in the built menu's source numbering (0 for the
// top cap, source position + 1 for items, source count + 1 for the bottom cap).
struct MENU_ITEM_RECORD {
    int nIndex;
    int nKind;  // MENU_ROW_KIND
    CString strText;
};

class CBaseSkinMenu : public CMenu {
public:
    CBaseSkinMenu();
    // Destroys the menu before its rows' records.
    ~CBaseSkinMenu() override;

    void SetRowHeights(int rowHeight, int separatorHeight, int capHeight);
    void SetItemWidth(int width) { m_nItemWidth = width; }
    void SetSideMargin(int margin) { m_nSideMargin = margin; }
    void SetColors(Gdiplus::ARGB text, Gdiplus::ARGB selectedText, Gdiplus::ARGB disabledText, Gdiplus::ARGB fourth);

    // Builds the rows from the resource's first submenu; false when the resource has
    // none or the popup cannot be made (also when this object holds a menu already).
    BOOL LoadSkinMenu(UINT resourceId);
    // Width and height of the row of the record.
    void MeasureItem(LPMEASUREITEMSTRUCT item) override;

protected:
    int RowHeight(int kind) const;

    int m_nRowHeight = 0;
    int m_nSeparatorHeight = 0;
    int m_nItemWidth = 0;
    int m_nSideMargin = 0;
    int m_nCapHeight = 0;
    Gdiplus::ARGB m_textColor = 0xFF000000;
    Gdiplus::ARGB m_selectedTextColor = 0xFF000000;
    Gdiplus::ARGB m_disabledTextColor = 0xFF000000;
    Gdiplus::ARGB m_fourthColor = 0xFF000000;  // kept for the skin; not drawn

private:
    void AppendRow(UINT flags, UINT_PTR id, int index, int kind, const CString& text);

    std::vector<std::unique_ptr<MENU_ITEM_RECORD>> m_rows;
    CPopupFrameHook m_frameHook;
};
