#pragma once

#include <QRect>

#include "document/Selection.h"
#include "view/Tool.h"

// What every selection tool shares: the modifier keys at a press (Shift adds, Alt subtracts,
// Ctrl lifts the selected pixels and moves them), the press outside a selection that drops
// it, the eight resize handles with their hover cursors, moving the outline (and a lifted
// fragment with it), and combining a new shape with the selection. The tools derive from it
// and add their own drawing.
class CSelectionTool : public CTool {
public:
    bool BeforePress(CToolEvent& ev) override;
    void OnResize(CToolEvent& ev) override;
    bool OnHover(CToolEvent& ev) override;
    std::optional<QCursor> CursorAt(CToolEvent& ev) override;

    // The state a selection tool's state becomes at a press with a selection region, under
    // the modifier keys (alt, shift, ctrl); the state itself when no key changes it.
    static int StateForModifiers(int state, bool alt, bool shift, bool ctrl);
    // The moving states (8, 15, 18, 20, 35, 40): a press lifts the selected pixels.
    static bool IsMoveState(int state);

protected:
    static bool HasRegion(CToolEvent& ev);
    // A press that moves the selection: in the moving states the pixels are lifted first (and
    // the step recorded for Undo); in the drawing states only the outline moves, and a lifted
    // fragment with it.
    void BeginMove(CToolEvent& ev, bool liftPixels);
    // While moving: the rectangle, the shapes and a lifted fragment follow the mouse.
    void ContinueMove(CToolEvent& ev);
    // The release after a move.
    void EndMove(CToolEvent& ev);
    bool IsMoving() const { return m_bMoving; }
    // A press that hit a resize handle: the step is recorded for Undo; the moves resize.
    void BeginResize(CToolEvent& ev);
    // A press in a tool's drawing state acts on the selection first: on a resize handle it
    // resizes, with a selection present it moves the outline. False when it does neither and
    // the press begins a new shape.
    bool PressOnSelection(CToolEvent& ev);

    // Adds shape to the selection (Shift: the lifted pixels are put back first) or cuts it
    // out (Alt: the lifted pixels under it become transparent), as the view's modes say; the
    // selection's rectangle grows to hold the result.
    void CombineShape(CToolEvent& ev, CSelectionShape shape);
    // Ends a polyline as a polygon of the selection: on its own (recorded for Undo first when
    // record is set; a polygon enclosing nothing selects nothing) or combined with the
    // selection. The polyline is discarded; the selection state becomes selectionState.
    void FinishPolygon(CToolEvent& ev, std::vector<QPoint> points, bool combine, bool record,
                       int selectionState);
    // The mode a combining shape gets.
    static int CombineMode(CToolEvent& ev);

    // Repaints the window around an image rectangle, with room for the outlines.
    static void RepaintAround(CToolEvent& ev, const QRect& imageRect);
    // Status pane 1 with the cursor and a size.
    static void ShowSizeStatus(CToolEvent& ev, QSize size);
    // The rectangle from a to b with its right and bottom edges one past the larger point,
    // clamped to the canvas.
    static CRect DraggedRect(CToolEvent& ev, QPoint a, QPoint b);
    // The bounding box of points (right and bottom one past), clamped to the canvas.
    static CRect PolylineBounds(CToolEvent& ev, const std::vector<QPoint>& points);

private:
    bool m_bMoving = false;
    QPoint m_ptLast;  // image point of the last move
};
