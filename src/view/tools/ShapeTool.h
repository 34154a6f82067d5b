#pragma once

#include <QPoint>
#include <QRect>

#include "view/Tool.h"

// Line, rectangle, filled rectangle, ellipse and filled ellipse (tool states 2 to 6). A drag
// with either button shows the shape over the picture, drawn on the screen only; the release
// draws it into the active layer, or into the lifted fragment, with the pen width factor of
// the tool's width option. The pen takes the button's first colour (primary for the left
// button, secondary for the right), the fill its second.
class CShapeTool : public CTool {
public:
    void OnPress(CToolEvent& ev) override;
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override;
    void OnRightPress(CToolEvent& ev) override;
    void OnRightRelease(CToolEvent& ev) override;
    void PaintOverlay(QPainter& painter, CToolPaint& paint) override;
    void Deactivate(CPictorraView& view) override;

private:
    void Begin(CToolEvent& ev);
    void Commit(CToolEvent& ev);
    // The image rectangle the preview covers, from the press to point.
    QRect PreviewBounds(QPoint point, int widthFactor) const;

    bool m_bDragging = false;
    bool m_bRight = false;  // the drag is the right button's
    QPoint m_ptPress;       // image pixels
    QPoint m_ptCurrent;
};
