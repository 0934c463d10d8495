// Menus: a menu object owns its menu handle (destroyed with it unless detached).
#pragma once

#include "afxwin.h"

#include <memory>
#include <vector>

class CMenu : public CObject {
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL Attach(HMENU menu);
    HMENU Detach();
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    BOOL CreatePopupMenu();
    // Loads a menu resource of the program.
    BOOL LoadMenu(UINT resourceId);
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr);
    UINT GetMenuItemCount() const;
    // The item's command id; 0 for a separator, (UINT)-1 for a submenu.
    UINT GetMenuItemID(int position) const;
    UINT GetMenuState(UINT item, UINT flags) const;
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    UINT EnableMenuItem(UINT item, UINT enable);
    // The submenu at the position, owned by this object and valid while it lives
    // (the handle stays this menu's); null when the item has none.
    CMenu* GetSubMenu(int position) const;

    // Shows the popup menu and runs its loop; owner-drawn rows are measured and drawn
    // through this object's MeasureItem and DrawItem while it is shown.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);
    // The menu being shown by TrackPopupMenu on this thread, null when none is.
    static CMenu* GetTrackingMenu();

    virtual void MeasureItem(LPMEASUREITEMSTRUCT item) {}
    virtual void DrawItem(LPDRAWITEMSTRUCT item) {}

    HMENU m_hMenu = nullptr;

private:
    mutable std::vector<std::unique_ptr<CMenu>> m_subMenus;
};
