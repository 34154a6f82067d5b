#pragma once

#include <QPoint>
#include <QRect>

#include "view/Tool.h"

// Gradient (tool states 48 and 49): a left drag from the start to the end point fills the
// active layer, or the lifted selection, with a linear or circular gradient (the option
// m_nGradientKind) from the primary to the secondary colour, their alphas the view's
// m_nGradientAlpha1 / 2 scaled by the colour bar's transparency. While dragging the state is
// 49 and the two points with the line between them are marked on the screen. A drag that
// ends where it started changes nothing.
class CGradientTool : public CTool {
public:
    void OnPress(CToolEvent& ev) override;
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override;
    // The right button in state 48 opens the two-colour dialog: the gradient's colours with
    // their alphas.
    void OnRightRelease(CToolEvent& ev) override;
    void PaintOverlay(QPainter& painter, CToolPaint& paint) override;
    void Deactivate(CPictorraView& view) override;

private:
    // The window rectangle the marks cover.
    QRect MarksOnScreen(const CPictorraView& view) const;

    bool m_bDragging = false;
};

class CPictorraDoc;

// The gradient of a drag from start to end (image pixels) into the active layer or the lifted
// selection: one undo entry, the selection lifted first when there is one, the drawing kept
// inside its outline. color1 and color2 are 0xAARRGGBB. False, with nothing changed and
// nothing recorded, when start equals end.
bool ApplyGradient(CPictorraDoc& doc, QPoint start, QPoint end, uint32_t color1, uint32_t color2,
                   bool circular);
