#include "TrayIcons.h"

namespace road {

bool NewestTrayIcon(POINT& icon) {
    HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    if (!tray || !IsWindowVisible(tray)) return false;
    HWND newest = nullptr;
    // Children come in z order, the newest on top: the first visible icon window.
    for (HWND child = GetWindow(tray, GW_CHILD); child && !newest; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) newest = child;
    if (!newest) return false;
    RECT place = {};
    GetWindowRect(newest, &place);
    icon = {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    return true;
}

}  // namespace road
