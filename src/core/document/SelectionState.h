#pragma once

#include <QPoint>
#include <QPointF>
#include <QPolygon>
#include <span>
#include <vector>

#include "platform/Rect.h"

// How a shape meets the outline made by the shapes before it.
enum SelectionMode : int {
    kSelectionCut = 0,  // cut out of the outline
    kSelectionAdd = 1,  // added to the outline
};

// One polygon of a selection outline, in image pixels. The last vertex repeats the first.
struct CSelectionShape {
    std::vector<QPointF> m_arrPoints;
    int m_nKind = 2;  // 2: polygon, the only kind the program makes
    int m_nMode = kSelectionAdd;
    bool operator==(const CSelectionShape&) const = default;

    // The rectangle's corners clockwise from (left, top). As a region it covers the pixels
    // from left to right - 1 and from top to bottom - 1.
    static CSelectionShape Rectangle(const CRect& rect, int mode = kSelectionAdd);
    // The ellipse inscribed in rect, as (right - left) x 2 + 3 vertices: for every integer x
    // from left to right, with a = (w + 1) / 2, k = (h + 1) / (w + 1), the centre (cx, cy) and
    // r = sqrt(a^2 - (x - cx)^2), the lower half (x, cy + r k) runs left to right and the
    // upper half (x, cy - r k) right to left back to the first vertex.
    static CSelectionShape Ellipse(const CRect& rect, int mode = kSelectionAdd);
    // A polygon through the points (lasso, scissor and hue selections), taken as they are.
    static CSelectionShape Polygon(std::span<const QPoint> points, int mode = kSelectionAdd);

    // The vertices as the outline's region takes them: truncated toward zero (and held to a
    // range that integer coordinates can carry).
    QPolygon ToPolygon() const;
    // The smallest rectangle holding the truncated vertices (right and bottom being the
    // largest vertex coordinates, so a rectangle shape gives back its rectangle); empty for a
    // shape without vertices.
    CRect Bounds() const;
};

// The selection outline as a value: the shapes in order of creation and the selection state
// (0: no selection; otherwise the tool that made it: 8 rectangle or Select All, 18 ellipse,
// 15 lasso, 40 scissor, 20 hue). The undo history copies it into every entry and gives it
// back on Undo and Redo; the region drawn on screen is always computed from the shapes.
struct CSelectionState {
    std::vector<CSelectionShape> m_arrShapes;
    int m_nSelectionState = 0;
    bool operator==(const CSelectionState&) const = default;
};
