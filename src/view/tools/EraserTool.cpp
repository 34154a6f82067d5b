#include "view/tools/EraserTool.h"

#include "document/PictorraDoc.h"
#include "paint/StrokeLine.h"
#include "platform/Bitmap.h"
#include "ui/ToolOptions.h"
#include "view/PictorraView.h"

namespace {
// The eraser's strength: the secondary colour's alpha, whichever button acts.
int Strength(const CToolEvent& ev) {
    return int(ArgbAlpha(ev.doc.Host().SecondaryColor()));
}
}  // namespace

void CEraserTool::OnPress(CToolEvent& ev) {
    if (!PointOnActiveLayer(ev) || !StartStroke(ev)) {
        return;
    }
    CPaintTarget target = CurrentPaintTarget(ev.doc);
    m_arrErased.Reset(target.bitmap->Size());
    const int size = ev.options.m_nEraserSize;
    const int k = EraserHalfSize(size);
    EraseSquare(*target.bitmap, m_arrErased, m_ptLast, EraserSide(size), Strength(ev));
    Repaint(ev, QRect(m_ptLast, m_ptLast).adjusted(-k - 2, -k - 2, k + 2, k + 2));
}

void CEraserTool::OnMove(CToolEvent& ev) {
    FollowOutline(ev);
    CPaintTarget target = CurrentPaintTarget(ev.doc);
    if (!target) {
        return;
    }
    const QPoint point = target.FromImage(ev.image);
    const int size = ev.options.m_nEraserSize;
    const int k = EraserHalfSize(size);
    if (ev.rightButton) {
        // Only the outline moves.
        Repaint(ev, QRect(point, point).adjusted(-k - 2, -k - 2, k + 2, k + 2));
        return;
    }
    if (!InStroke(ev)) {
        return;
    }
    EraseSegment(*target.bitmap, m_arrErased, m_ptLast, point, EraserSide(size), Strength(ev));
    Repaint(ev, SegmentRect(m_ptLast, point, k + 2));
    m_ptLast = point;
}

void CEraserTool::OnRelease(CToolEvent& ev) {
    if (InStroke(ev)) {
        FinishStroke(ev.doc);
    }
}

QRect CEraserTool::OutlineAt(CPictorraView& view, int tool, QPoint client) {
    if (tool != ToolEraser) {
        return {};
    }
    constexpr int kBefore[] = {1, 2, 4, 6};
    constexpr int kAfter[] = {2, 3, 5, 7};
    const int size = view.Options().m_nEraserSize;
    const int i = size >= 0 && size < 4 ? size : 0;
    return OutlineRect(view, client, kBefore[i], kAfter[i]);
}
