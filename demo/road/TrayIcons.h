// The system tray as the screen shows it: Wine's stand-alone tray window (without a
// desktop's own tray), one small child window per notification icon, in the order the
// icons were added.
#pragma once

#include <windows.h>

namespace road {

// The middle of the icon added last, the newest program's; false when the tray shows none.
bool NewestTrayIcon(POINT& icon);

}  // namespace road
