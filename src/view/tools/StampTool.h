#pragma once

#include <QPoint>

#include "view/tools/PaintStroke.h"

// The stamp (clone): a click in ToolStampPickSource (Alt+click from the other stamp states)
// sets the source and takes a snapshot of the picture; the next stroke fixes the offset from
// the source to its press, and every stroke after it keeps that offset (aligned cloning)
// until a new source is set. Strokes paint disks of the snapshot, taken afresh after each
// stroke, at the offset.
//
// The source is kept in image pixels (the view's m_ptStampSource), so that the offset stays
// right when the stroke's press lifts the selection and the target becomes the fragment.
class CStampTool : public CFreehandTool {
public:
    void OnPress(CToolEvent& ev) override;
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override;
    void PaintOverlay(QPainter& painter, CToolPaint& paint) override;

protected:
    QRect OutlineAt(CPictorraView& view, int tool, QPoint client) override;
    bool OutlineIsEllipse(int) const override { return true; }

private:
    // The snapshot the strokes clone from: the fragment when there is one, else the whole
    // picture composed on transparent.
    void TakeSnapshot(CToolEvent& ev);
    // Clones along the segment from the last point to point (target pixels).
    void Clone(CToolEvent& ev, QPoint point);

    QPoint m_ptSnapshotOrigin;  // image position of the snapshot's pixel (0, 0)
};
