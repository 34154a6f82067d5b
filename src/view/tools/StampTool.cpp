#include "view/tools/StampTool.h"

#include <QPainter>

#include "document/PictorraDoc.h"
#include "paint/Stamp.h"
#include "platform/Bitmap.h"
#include "ui/ToolOptions.h"
#include "view/PictorraView.h"

namespace {
constexpr QPoint kNoSource(-1, -1);
}  // namespace

void CStampTool::TakeSnapshot(CToolEvent& ev) {
    CPictorraDoc& doc = ev.doc;
    if (doc.m_pFragment) {
        ev.view.m_pStampSnapshot = doc.m_pFragment->Clone();
        m_ptSnapshotOrigin = QPoint(doc.m_rcSelection.left, doc.m_rcSelection.top);
    } else {
        ev.view.m_pStampSnapshot = doc.ComposeImage(true);
        m_ptSnapshotOrigin = QPoint(0, 0);
    }
}

void CStampTool::Clone(CToolEvent& ev, QPoint point) {
    CPaintTarget target = CurrentPaintTarget(ev.doc);
    const Bitmap* snapshot = ev.view.m_pStampSnapshot.get();
    if (!target || !snapshot) {
        return;
    }
    CloneSegment(*target.bitmap, *snapshot, m_ptSnapshotOrigin - target.origin, m_ptLast, point,
                 ev.view.m_ptStampOffset, StampRadius(ev.options.m_nStampSize));
    m_ptLast = point;
    ev.view.InvalidateImage();
}

void CStampTool::OnPress(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    int state = ev.tool;
    // A source set without a snapshot (or none at all) is picked again.
    if ((state == ToolStampSourceSet || state == ToolStampAligned) &&
        (view.m_ptStampSource == kNoSource || !view.m_pStampSnapshot)) {
        state = ToolStampPickSource;
    }
    if (state == ToolStampPickSource) {
        view.m_ptStampSource = ev.image;
        TakeSnapshot(ev);
        view.SetCurrentTool(ToolStampSourceSet);
        view.InvalidateImage();
        return;
    }
    if ((state != ToolStampSourceSet && state != ToolStampAligned) || !PointOnActiveLayer(ev) ||
        !StartStroke(ev)) {
        return;
    }
    if (state == ToolStampSourceSet) {
        view.m_ptStampOffset = ev.image - view.m_ptStampSource;
    }
    view.SetCurrentTool(ToolStampPainting);
    Clone(ev, m_ptLast);
}

void CStampTool::OnMove(CToolEvent& ev) {
    FollowOutline(ev);
    if (InStroke(ev) && ev.tool == ToolStampPainting) {
        Clone(ev, TargetPoint(ev));
    }
}

void CStampTool::OnRelease(CToolEvent& ev) {
    if (!InStroke(ev)) {
        return;
    }
    FinishStroke(ev.doc);
    TakeSnapshot(ev);
    ev.view.SetCurrentTool(ToolStampAligned);
}

QRect CStampTool::OutlineAt(CPictorraView& view, int tool, QPoint client) {
    if (tool != ToolStampSourceSet && tool != ToolStampAligned && tool != ToolStampPainting) {
        return {};
    }
    constexpr int kBefore[] = {2, 4, 8, 13};
    constexpr int kAfter[] = {4, 6, 10, 13};
    const int size = view.Options().m_nStampSize;
    const int i = size >= 0 && size < 4 ? size : 0;
    return OutlineRect(view, client, kBefore[i], kAfter[i]);
}

void CStampTool::PaintOverlay(QPainter& painter, CToolPaint& paint) {
    CFreehandTool::PaintOverlay(painter, paint);
    if (paint.tool != ToolStampAligned && paint.tool != ToolStampPainting) {
        return;
    }
    // A cross over the source of the pixel under the cursor.
    const CPictorraView& view = paint.view;
    const QPoint c = view.m_ptCurrent - QPoint(int(view.m_ptStampOffset.x() * view.m_fZoom),
                                               int(view.m_ptStampOffset.y() * view.m_fZoom));
    for (int pass = 0; pass < 2; ++pass) {
        painter.setPen(QPen(pass == 0 ? Qt::white : Qt::black, pass == 0 ? 3 : 1));
        painter.drawLine(c - QPoint(5, 0), c + QPoint(5, 0));
        painter.drawLine(c - QPoint(0, 5), c + QPoint(0, 5));
    }
}
