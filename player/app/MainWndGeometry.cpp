#include "MainWndGeometry.h"

namespace {

const int kCornerWidth = 6;
const int kBottomCornerHeight = 6;
const int kTopCornerHeight = 9;
const int kBottomEdge = 8;
const int kTopEdge = 3;
const int kSideEdge = 8;
const int kMinWidth = 1025;
const int kMinHeight = 753;

bool IsEmpty(const RECT& r) { return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0; }

}  // namespace

BORDER_HIT BorderHitAt(const RECT& c, POINT p) {
    if (p.x >= c.right - kCornerWidth && p.y >= c.bottom - kBottomCornerHeight) return BORDER_BOTTOM_RIGHT;
    if (p.x <= c.left + kCornerWidth && p.y >= c.bottom - kBottomCornerHeight) return BORDER_BOTTOM_LEFT;
    if (p.x <= c.left + kCornerWidth && p.y <= c.top + kTopCornerHeight) return BORDER_TOP_LEFT;
    if (p.x >= c.right - kCornerWidth && p.y <= c.top + kTopCornerHeight) return BORDER_TOP_RIGHT;
    if (p.y >= c.bottom - kBottomEdge) return BORDER_BOTTOM;
    if (p.y <= c.top + kTopEdge) return BORDER_TOP;
    if (p.x <= c.left + kSideEdge) return BORDER_LEFT;
    if (p.x >= c.right - kSideEdge) return BORDER_RIGHT;
    return BORDER_NONE;
}

LPCWSTR BorderCursor(BORDER_HIT hit) {
    switch (hit) {
        case BORDER_BOTTOM_RIGHT:
        case BORDER_TOP_LEFT:
            return IDC_SIZENWSE;
        case BORDER_BOTTOM_LEFT:
        case BORDER_TOP_RIGHT:
            return IDC_SIZENESW;
        case BORDER_BOTTOM:
        case BORDER_TOP:
            return IDC_SIZENS;
        case BORDER_LEFT:
        case BORDER_RIGHT:
            return IDC_SIZEWE;
        default:
            return nullptr;
    }
}

bool IsPointOnAnyMonitor(POINT point) { return MonitorFromPoint(point, MONITOR_DEFAULTTONULL) != nullptr; }

RECT SettleStartRect(const RECT& stored, bool maximized, const RECT& workArea, const RECT& defaultRect,
                     POINT_ON_SCREEN onScreen) {
    if (IsEmpty(stored)) return defaultRect;
    if (maximized) return workArea;
    // The right and bottom edges are exclusive: the corner pixels are one inside them.
    const POINT corners[] = {{stored.left, stored.top},
                             {stored.right - 1, stored.top},
                             {stored.left, stored.bottom - 1},
                             {stored.right - 1, stored.bottom - 1}};
    for (const POINT& corner : corners)
        if (!onScreen(corner)) return defaultRect;
    return stored;
}

RECT ResizeKeepingCentre(const RECT& window, int change) {
    RECT r = window;
    r.left += change / 2;
    r.right -= change / 2;
    if (r.right - r.left <= kMinWidth - 1) r.right = r.left + kMinWidth;
    if (r.bottom - r.top <= kMinHeight) r.bottom = r.top + kMinHeight;
    return r;
}
