// The main window's screen geometry: the borders of the borderless resize, the stored
// rectangle settled at start, and the size after a change of view mode.
#pragma once

#include <windows.h>

// What a point on the window's border grabs; the values are the sizing edges of
// WM_SYSCOMMAND's SC_SIZE (WMSZ_LEFT ... WMSZ_BOTTOMRIGHT).
enum BORDER_HIT {
    BORDER_NONE = 0,
    BORDER_LEFT = 1,
    BORDER_RIGHT = 2,
    BORDER_TOP = 3,
    BORDER_TOP_LEFT = 4,
    BORDER_TOP_RIGHT = 5,
    BORDER_BOTTOM = 6,
    BORDER_BOTTOM_LEFT = 7,
    BORDER_BOTTOM_RIGHT = 8,
};

// The border zone under a point of the client rectangle (client coordinates).
BORDER_HIT BorderHitAt(const RECT& client, POINT point);
// The cursor of a hit (IDC_SIZE...), null for none.
LPCWSTR BorderCursor(BORDER_HIT hit);

// True when the point lies on a monitor.
typedef bool (*POINT_ON_SCREEN)(POINT point);
bool IsPointOnAnyMonitor(POINT point);

// The window rectangle to start with: the default for an all-zero one, the work area
// while maximised, and the default again when one of its corner pixels (the last pixel
// inside on the right and at the bottom) lies on no monitor.
RECT SettleStartRect(const RECT& stored, bool maximized, const RECT& workArea, const RECT& defaultRect,
                     POINT_ON_SCREEN onScreen);

// The window rectangle after its width changed by change pixels, centre kept: at least
// 1025 x 753 (one more than the dialog's smallest tracking width).
RECT ResizeKeepingCentre(const RECT& window, int change);
