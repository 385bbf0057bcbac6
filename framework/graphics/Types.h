#pragma once
// Points, rectangles and sizes. Each is its Win32 structure with a few helpers, so
// a TRect* can be handed to any call that takes a RECT*.
#include <windows.h>

// The coordinates and sizes a form resource may give: the 16-bit range that GDI
// draws in everywhere. Anything beyond is a damaged resource, not a design.
constexpr int MinCoordinate = -32768, MaxCoordinate = 32767;

struct TPoint : POINT {
    constexpr TPoint(int x = 0, int y = 0) : POINT{x, y} {}
    constexpr TPoint(const POINT& p) : POINT(p) {}
    friend constexpr bool operator==(const TPoint& a, const TPoint& b) { return a.x == b.x && a.y == b.y; }
};

struct TSize : SIZE {
    constexpr TSize(int cx = 0, int cy = 0) : SIZE{cx, cy} {}
    friend constexpr bool operator==(const TSize& a, const TSize& b) { return a.cx == b.cx && a.cy == b.cy; }
};

struct TRect : RECT {
    constexpr TRect() : RECT{0, 0, 0, 0} {}
    constexpr TRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    constexpr TRect(const RECT& r) : RECT(r) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    // The right and bottom edges lie outside, as for PtInRect.
    constexpr bool Contains(const TPoint& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr TRect Offset(int dx, int dy) const { return TRect(left + dx, top + dy, right + dx, bottom + dy); }
    // The common part, or an all-zero rectangle when there is none (as IntersectRect).
    constexpr TRect Intersect(const TRect& o) const
    {
        const TRect r(left > o.left ? left : o.left, top > o.top ? top : o.top,
                      right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom);
        return r.IsEmpty() ? TRect() : r;
    }
    friend constexpr bool operator==(const TRect& a, const TRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

constexpr TRect Rect(int l, int t, int r, int b) { return TRect(l, t, r, b); }
constexpr TPoint Point(int x, int y) { return TPoint(x, y); }
