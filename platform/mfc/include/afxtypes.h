// Points, sizes and rectangles of the class library subset: the Win32 structures with
// their arithmetic. A CRect is normalised when left <= right and top <= bottom.
#pragma once

#include <windows.h>

#include <utility>

class CSize : public SIZE {
public:
    CSize() { cx = cy = 0; }
    CSize(int x, int y) { cx = x, cy = y; }
    CSize(SIZE s) { cx = s.cx, cy = s.cy; }
    bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const { return !(*this == s); }
    CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
};

class CPoint : public POINT {
public:
    CPoint() { x = y = 0; }
    CPoint(int px, int py) { x = px, y = py; }
    CPoint(POINT p) { x = p.x, y = p.y; }
    // The point packed in a message's lParam (signed 16-bit coordinates).
    explicit CPoint(LPARAM packed) { x = (short)LOWORD(packed), y = (short)HIWORD(packed); }
    void Offset(int dx, int dy) { x += dx, y += dy; }
    bool operator==(POINT p) const { return x == p.x && y == p.y; }
    bool operator!=(POINT p) const { return !(*this == p); }
    CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
    CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
    CSize operator-(POINT p) const { return CSize(x - p.x, y - p.y); }
    CPoint& operator+=(SIZE s) {
        x += s.cx, y += s.cy;
        return *this;
    }
    CPoint& operator-=(SIZE s) {
        x -= s.cx, y -= s.cy;
        return *this;
    }
};

class CRect : public RECT {
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
    CRect(const RECT& r) { left = r.left, top = r.top, right = r.right, bottom = r.bottom; }
    CRect(const RECT* r) : CRect(*r) {}
    CRect(POINT topLeft, SIZE size) : CRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy) {}

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT p) const { return ::PtInRect(this, p); }

    void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToX(int x) { OffsetRect(x - left, 0); }
    void MoveToY(int y) { OffsetRect(0, y - top); }
    void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
    void InflateRect(int l, int t, int r, int b) { left -= l, top -= t, right += r, bottom += b; }
    void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void NormalizeRect() {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }
    // False (and an empty rectangle) when the two do not overlap.
    BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }
    BOOL UnionRect(LPCRECT a, LPCRECT b) { return ::UnionRect(this, a, b); }

    bool operator==(const RECT& r) const { return ::EqualRect(this, &r) != FALSE; }
    bool operator!=(const RECT& r) const { return !(*this == r); }
};
