#pragma once

#include <QPointF>
#include <vector>

// One polygon of a selection outline, in image pixels. The last vertex repeats the first.
struct CSelectionShape {
    std::vector<QPointF> m_arrPoints;
    int m_nKind = 2;  // 2: polygon, the only kind the program makes
    int m_nMode = 1;  // 1: added to the outline; 0: cut out of it
    bool operator==(const CSelectionShape&) const = default;
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
