#pragma once

#include "view/Tool.h"

// Region zoom: the rectangle dragged with the left button fills the window. The rubber band
// follows the mouse while dragging; the tool stays current afterwards.
class CRegionZoomTool : public CTool {
public:
    void OnPress(CToolEvent& ev) override;
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override;
    void PaintOverlay(QPainter& painter, CToolPaint& paint) override;
    void Deactivate(CPictorraView& view) override;

private:
    // The window rectangle of the band, from the press to the cursor.
    QRect BandOnScreen(const CPictorraView& view) const;

    bool m_bDragging = false;
};
