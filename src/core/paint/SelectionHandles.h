#pragma once

#include <QPoint>

#include "platform/Rect.h"

// The eight handles of a selection rectangle, numbered clockwise from the top-left corner.
enum SelectionHandle : int {
    kHandleNone = 0,
    kHandleTopLeft = 1,
    kHandleTop = 2,
    kHandleTopRight = 3,
    kHandleRight = 4,
    kHandleBottomRight = 5,
    kHandleBottom = 6,
    kHandleBottomLeft = 7,
    kHandleLeft = 8,
};

// The smallest width and height a handle drags a selection to.
inline constexpr int kMinHandleSize = 10;

// The handle of rect (edges l, t, r, b) under p, or kHandleNone. Tested in this order, all
// bounds exclusive: the left edge (l - 3 < x < l + 3, t + 5 < y < b - 5), the right edge, the
// top edge (l + 5 < x < r - 5, t - 3 < y < t + 3), the bottom edge, then the corners
// (within 5 of both edges) top-left, bottom-right, top-right, bottom-left. The same zones serve
// image pixels (a press) and window pixels (the hover cursor).
int SelectionHandleAt(const CRect& rect, QPoint p);

// rect after dragging handle to p: the handle's edges move to the cursor, each stopping
// kMinHandleSize pixels from the opposite edge (handle 1: left = min(x, right - 10),
// top = min(y, bottom - 10)). Other handles leave rect as it is.
CRect DragSelectionHandle(const CRect& rect, int handle, QPoint p);
