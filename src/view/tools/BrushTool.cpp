#include "view/tools/BrushTool.h"

#include "document/PictorraDoc.h"
#include "paint/Brush.h"
#include "ui/ToolOptions.h"
#include "view/PictorraView.h"

void CBrushTool::Begin(CToolEvent& ev) {
    if (!PointOnActiveLayer(ev) || !StartStroke(ev)) {
        return;
    }
    CPaintTarget target = CurrentPaintTarget(ev.doc);
    const int n = BrushDabSize(ev.options.m_nBrushSize);
    // A press left of or above a lifted fragment paints nothing there.
    if (m_ptLast.x() >= 0 && m_ptLast.y() >= 0) {
        Repaint(ev, DabBrush(*target.bitmap, m_ptLast, n, ev.firstColor).adjusted(-1, -1, 1, 1));
    }
}

void CBrushTool::OnMove(CToolEvent& ev) {
    FollowOutline(ev);
    if (!InStroke(ev)) {
        return;
    }
    CPaintTarget target = CurrentPaintTarget(ev.doc);
    if (!target) {
        return;
    }
    const QPoint point = target.FromImage(ev.image);
    const int n = BrushDabSize(ev.options.m_nBrushSize);
    Repaint(ev,
            BrushSegment(*target.bitmap, m_ptLast, point, n, ev.firstColor).adjusted(-2, -2, 2, 2));
    m_ptLast = point;
}

void CBrushTool::End(CToolEvent& ev) {
    if (InStroke(ev)) {
        FinishStroke(ev.doc);
    }
}

QRect CBrushTool::OutlineAt(CPictorraView& view, int tool, QPoint client) {
    const CLayerFrame* layer = view.GetDocument().ActiveLayer();
    if (tool != ToolBrush || !layer ||
        !layer->Rect().ToQRect().contains(view.ClientToImage(client))) {
        return {};
    }
    constexpr int kBefore[] = {1, 5, 8, 11};
    constexpr int kAfter[] = {5, 9, 13, 15};
    const int size = view.Options().m_nBrushSize;
    const int i = size >= 0 && size < 4 ? size : 0;
    return OutlineRect(view, client, kBefore[i], kAfter[i]);
}
