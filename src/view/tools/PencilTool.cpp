#include "view/tools/PencilTool.h"

#include "document/PictorraDoc.h"
#include "paint/Pencil.h"
#include "ui/ToolOptions.h"

void CPencilTool::Begin(CToolEvent& ev) {
    if (!PointOnActiveLayer(ev) || !StartStroke(ev)) {
        return;
    }
    CPaintTarget target = CurrentPaintTarget(ev.doc);
    const int tip = ev.options.m_nPencilShape;
    DabPencil(*target.bitmap, m_ptLast, tip, ev.firstColor);
    const int k = PencilTipHalfSize(tip);
    Repaint(ev, QRect(m_ptLast, m_ptLast).adjusted(-k, -k, k, k));
}

void CPencilTool::OnMove(CToolEvent& ev) {
    if (!InStroke(ev)) {
        return;
    }
    CPaintTarget target = CurrentPaintTarget(ev.doc);
    const QPoint point = target.FromImage(ev.image);
    if (!target) {
        return;
    }
    Repaint(ev, PencilSegment(*target.bitmap, m_ptLast, point, ev.options.m_nPencilShape,
                              ev.firstColor));
    m_ptLast = point;
}

void CPencilTool::End(CToolEvent& ev) {
    if (InStroke(ev)) {
        FinishStroke(ev.doc);
    }
}
