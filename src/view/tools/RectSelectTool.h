#pragma once

#include "view/tools/SelectionTool.h"

// Rectangle and ellipse selection (states 7, 8, 24 and 17, 18, 25): a drag makes the
// rectangle, or the ellipse inscribed in it; with Shift or Alt the dragged shape is added to
// the selection or cut out of it; inside a selection the drag moves it (Ctrl: the pixels too).
// The right button cancels a rectangle being dragged.
class CRectSelectTool : public CSelectionTool {
public:
    void OnPress(CToolEvent& ev) override;
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override;
    void OnRightPress(CToolEvent& ev) override;
    void Deactivate(CPictorraView& view) override;

private:
    enum class Drag { None, NewShape, Combine, Move };
    Drag m_drag = Drag::None;
    QPoint m_ptStart;  // image point of the press
};
