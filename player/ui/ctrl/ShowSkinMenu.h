// Shows a skin menu of the program for a control manager's window.
#pragma once

#include <afxwin.h>

class CBaseCtrlManager;

// Adjusts a menu before it shows (greys items, for example).
typedef void (*SKIN_MENU_HOOK)(CMenu* menu, const CString& parameter);

// Builds the skin menu of the resource's first submenu with rows of the given width
// and the default skin's menu images, lets the hook adjust it, and shows it at the
// screen point; the manager's window receives the chosen command. Returns when the
// menu closes; false (nothing shown) when the resource gives no menu.
bool ShowSkinMenu(CBaseCtrlManager* manager, UINT menuId, int itemWidth, POINT point, SKIN_MENU_HOOK hook,
                  const CString& parameter);
