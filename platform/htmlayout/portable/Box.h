// Layout results of a node, in page coordinates (before any scrolling).
#pragma once

#include "Style.h"

namespace hl {

struct Point {
    int x = 0, y = 0;
};

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;

    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    bool Empty() const { return w <= 0 || h <= 0; }
    bool Contains(Point p) const { return p.x >= x && p.x < Right() && p.y >= y && p.y < Bottom(); }
    Rect Moved(int dx, int dy) const { return {x + dx, y + dy, w, h}; }
    Rect Inset(const Edges& e) const { return {x + e.left, y + e.top, w - e.Horizontal(), h - e.Vertical()}; }
    Rect Outset(const Edges& e) const { return {x - e.left, y - e.top, w + e.Horizontal(), h + e.Vertical()}; }
    Rect Intersect(const Rect& o) const;
    Rect Union(const Rect& o) const;  // an empty side is ignored
    bool operator==(const Rect& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};

struct Box {
    bool laidOut = false;  // false for display:none and nodes outside any page
    Rect border;           // border box; for a text run its line box
    Edges margin, borderWidth, padding;
    Rect ink;  // the box and everything below it that paints
    int scrollX = 0, scrollY = 0;
    int scrollHeight = 0;  // height of the content of a scrolling box
    bool scrollbar = false;

    Rect Padding() const { return border.Inset(borderWidth); }
    Rect Content() const { return Padding().Inset(padding); }
    Rect MarginBox() const { return border.Outset(margin); }
};

}  // namespace hl
