#pragma once
// Integer pixel geometry of window client areas and screens. A rectangle holds its left and
// top edges and the exclusive right and bottom edges, as window rectangles always have.
#include <algorithm>

namespace platform::ui {

struct Point
{
    int x = 0;
    int y = 0;
    constexpr Point() = default;
    constexpr Point(int px, int py) : x(px), y(py) {}
    constexpr bool operator==(const Point&) const = default;
    constexpr Point operator+(const Point& o) const { return {x + o.x, y + o.y}; }
    constexpr Point operator-(const Point& o) const { return {x - o.x, y - o.y}; }
    void Offset(int dx, int dy)
    {
        x += dx;
        y += dy;
    }
};

struct Size
{
    int cx = 0;
    int cy = 0;
    constexpr Size() = default;
    constexpr Size(int w, int h) : cx(w), cy(h) {}
    constexpr bool operator==(const Size&) const = default;
};

struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr Rect() = default;
    constexpr Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr Rect(Point p, Size s) : left(p.x), top(p.y), right(p.x + s.cx), bottom(p.y + s.cy) {}
    constexpr bool operator==(const Rect&) const = default;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr Size GetSize() const { return {Width(), Height()}; }
    constexpr Point TopLeft() const { return {left, top}; }
    constexpr Point BottomRight() const { return {right, bottom}; }
    constexpr Point CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(Point p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    void SetRect(int l, int t, int r, int b) { *this = Rect(l, t, r, b); }
    void SetRectEmpty() { *this = Rect(); }
    void OffsetRect(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void OffsetRect(Point p) { OffsetRect(p.x, p.y); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void InflateRect(int dx, int dy)
    {
        left -= dx;
        right += dx;
        top -= dy;
        bottom += dy;
    }
    void InflateRect(int l, int t, int r, int b)
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void NormalizeRect()
    {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }

    // Sets this to the overlap of a and b; false (and an empty rectangle) when they do not meet.
    bool IntersectRect(const Rect& a, const Rect& b)
    {
        Rect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom));
        if (r.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = r;
        return true;
    }
    // Sets this to the bounding box of a and b; an empty input does not widen it.
    bool UnionRect(const Rect& a, const Rect& b)
    {
        if (a.IsRectEmpty()) {
            *this = b;
        } else if (b.IsRectEmpty()) {
            *this = a;
        } else {
            *this = Rect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                         std::max(a.bottom, b.bottom));
        }
        return !IsRectEmpty();
    }
    constexpr bool Intersects(const Rect& o) const
    {
        return std::max(left, o.left) < std::min(right, o.right) &&
               std::max(top, o.top) < std::min(bottom, o.bottom);
    }
};

} // namespace platform::ui
