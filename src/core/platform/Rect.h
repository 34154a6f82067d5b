#pragma once

#include <QRect>
#include <algorithm>

// A rectangle in image pixels given by its edges: left and top are inside, right and bottom
// are the first column and row outside (so the width is right - left).
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    static CRect FromQRect(const QRect& r) {
        return r.isEmpty() ? CRect()
                           : CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    }

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    QRect ToQRect() const { return IsEmpty() ? QRect() : QRect(left, top, Width(), Height()); }
    constexpr CRect Offset(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    constexpr CRect Intersect(const CRect& o) const {
        CRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
        return r.IsEmpty() ? CRect() : r;
    }
    constexpr CRect Union(const CRect& o) const {
        if (IsEmpty()) {
            return o;
        }
        if (o.IsEmpty()) {
            return *this;
        }
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
    }
    constexpr bool Contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    constexpr bool operator==(const CRect&) const = default;
};
