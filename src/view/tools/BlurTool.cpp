#include "view/tools/BlurTool.h"

#include "document/PictorraDoc.h"
#include "paint/BlurBrush.h"
#include "ui/ToolOptions.h"

void CBlurTool::Dab(CToolEvent& ev) {
    CPaintTarget target = CurrentPaintTarget(ev.doc);
    if (!target) {
        return;
    }
    const QPoint point = target.FromImage(ev.image);
    Repaint(ev, BlurDab(*target.bitmap, point, ev.options.m_nBlurToolSize, ev.doc.m_nBlurSize)
                    .adjusted(-1, -1, 1, 1));
    m_ptLast = point;
}

void CBlurTool::OnPress(CToolEvent& ev) {
    if (PointOnActiveLayer(ev) && StartStroke(ev)) {
        Dab(ev);
    }
}

void CBlurTool::OnMove(CToolEvent& ev) {
    // Only where the mouse is: the points in between are not blurred.
    if (InStroke(ev)) {
        Dab(ev);
    }
}

void CBlurTool::OnRelease(CToolEvent& ev) {
    if (InStroke(ev)) {
        FinishStroke(ev.doc);
    }
}
