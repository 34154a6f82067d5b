#include "paint/SelectionHandles.h"

#include <algorithm>

namespace {

bool Within(int v, int centre, int reach) {
    return centre - reach < v && v < centre + reach;
}

bool Between(int v, int low, int high) {
    return low < v && v < high;
}

}  // namespace

int SelectionHandleAt(const CRect& r, QPoint p) {
    const int x = p.x(), y = p.y();
    const bool alongSides = Between(y, r.top + 5, r.bottom - 5);
    const bool alongTopBottom = Between(x, r.left + 5, r.right - 5);
    if (Within(x, r.left, 3) && alongSides) {
        return kHandleLeft;
    }
    if (Within(x, r.right, 3) && alongSides) {
        return kHandleRight;
    }
    if (Within(y, r.top, 3) && alongTopBottom) {
        return kHandleTop;
    }
    if (Within(y, r.bottom, 3) && alongTopBottom) {
        return kHandleBottom;
    }
    if (Within(x, r.left, 5) && Within(y, r.top, 5)) {
        return kHandleTopLeft;
    }
    if (Within(x, r.right, 5) && Within(y, r.bottom, 5)) {
        return kHandleBottomRight;
    }
    if (Within(x, r.right, 5) && Within(y, r.top, 5)) {
        return kHandleTopRight;
    }
    if (Within(x, r.left, 5) && Within(y, r.bottom, 5)) {
        return kHandleBottomLeft;
    }
    return kHandleNone;
}

CRect DragSelectionHandle(const CRect& rect, int handle, QPoint p) {
    CRect r = rect;
    const bool left =
        handle == kHandleTopLeft || handle == kHandleLeft || handle == kHandleBottomLeft;
    const bool right =
        handle == kHandleTopRight || handle == kHandleRight || handle == kHandleBottomRight;
    const bool top = handle == kHandleTopLeft || handle == kHandleTop || handle == kHandleTopRight;
    const bool bottom =
        handle == kHandleBottomLeft || handle == kHandleBottom || handle == kHandleBottomRight;
    if (left) {
        r.left = std::min(p.x(), rect.right - kMinHandleSize);
    }
    if (right) {
        r.right = std::max(p.x(), rect.left + kMinHandleSize);
    }
    if (top) {
        r.top = std::min(p.y(), rect.bottom - kMinHandleSize);
    }
    if (bottom) {
        r.bottom = std::max(p.y(), rect.top + kMinHandleSize);
    }
    return r;
}
