#include "ctrl/ShowSkinMenu.h"

#include "common/CommonHelpers.h"
#include "ctrl/BaseCtrlManager.h"
#include "menu/ZemoSkinMenu.h"
#include "window/BaseWnd.h"

bool ShowSkinMenu(CBaseCtrlManager* manager, UINT menuId, int itemWidth, POINT point, SKIN_MENU_HOOK hook,
                  const CString& parameter) {
    CZemoSkinMenu menu;
    menu.SetRowHeights(24, 5, 3);
    menu.SetItemWidth(itemWidth);
    menu.SetSideMargin(3);
    menu.SetColors(0xFF666666, 0xFFCDCDCD, 0xFFA5A5A5, 0xFFDCDCDC);
    CString folder = GetProgramFolder();
    AppendBackslash(folder);
    folder += GetDefaultSkinFolder();
    menu.SetImages(folder + L"menu-drop-bg.png", folder + L"menu-drop-line.png", folder + L"menu-hover.png");
    if (!menu.LoadSkinMenu(menuId)) return false;
    if (hook) hook(&menu, parameter);
    menu.TrackPopupMenu(0, point.x, point.y, manager ? manager->GetOwner() : nullptr);
    return true;
}
