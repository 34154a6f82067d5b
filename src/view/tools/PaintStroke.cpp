#include "view/tools/PaintStroke.h"

#include <QPainter>

#include "document/PictorraDoc.h"
#include "view/PictorraView.h"

CPaintTarget CurrentPaintTarget(CPictorraDoc& doc) {
    CPaintTarget target;
    if (doc.m_pFragment) {
        target.bitmap = doc.m_pFragment.get();
        target.origin = QPoint(doc.m_rcSelection.left, doc.m_rcSelection.top);
        target.fragment = true;
    } else if (const CLayerFrame* layer = doc.ActiveLayer(); layer && doc.m_pActiveBitmap) {
        target.bitmap = doc.m_pActiveBitmap;
        target.origin = QPoint(layer->m_nOffsetX, layer->m_nOffsetY);
    }
    return target;
}

CPaintTarget BeginPaintStroke(CPictorraDoc& doc) {
    if (!doc.ActiveLayer() || !doc.m_pActiveBitmap) {
        return {};
    }
    doc.CommitPendingUndo();
    doc.PushUndoState();
    if (doc.IsSelectionPresent() && !doc.m_pFragment) {
        // A selection beside the layer is dropped by the lift: the stroke then paints on the
        // layer, as without a selection.
        doc.LiftSelectionIfNeeded();
    }
    return CurrentPaintTarget(doc);
}

void EndPaintStroke(CPictorraDoc& doc) {
    doc.ClipFragmentToSelection();
}

void InvalidateTargetRect(CPictorraView& view, const CPaintTarget& target, const QRect& rect) {
    if (target) {
        view.InvalidateImageRect(target.ToImage(rect));
    }
}

bool PointOnActiveLayer(const CToolEvent& ev) {
    const CLayerFrame* layer = ev.doc.ActiveLayer();
    return layer && layer->Rect().ToQRect().contains(ev.image);
}

bool CFreehandTool::StartStroke(CToolEvent& ev) {
    if (m_bStroke) {
        return false;
    }
    const CPaintTarget target = BeginPaintStroke(ev.doc);
    if (!target) {
        return false;
    }
    m_bStroke = true;
    m_bRightStroke = ev.rightButton;
    m_ptLast = target.FromImage(ev.image);
    return true;
}

void CFreehandTool::FinishStroke(CPictorraDoc& doc) {
    if (!m_bStroke) {
        return;
    }
    m_bStroke = false;
    EndPaintStroke(doc);
}

void CFreehandTool::Deactivate(CPictorraView& view) {
    if (m_bStroke) {
        FinishStroke(view.GetDocument());
        view.GetDocument().RebuildLayerCaches();
        view.InvalidateImage();
    }
}

QRect CFreehandTool::OutlineRect(CPictorraView& view, QPoint client, int before, int after) {
    const QPoint c = view.LayerToClient(view.ClientToLayer(client));
    const double z = double(view.m_fZoom);
    return QRect(QPoint(c.x() - int(before * z), c.y() - int(before * z)),
                 QPoint(c.x() + int(after * z), c.y() + int(after * z)));
}

void CFreehandTool::FollowOutline(CToolEvent& ev) {
    const QRect now = OutlineAt(ev.view, ev.tool, ev.client);
    if (now == m_rcOutline) {
        return;
    }
    // The pen reaches a pixel beyond the corners.
    for (const QRect& r : {m_rcOutline, now}) {
        if (!r.isEmpty()) {
            ev.view.InvalidateClientRect(r.adjusted(-2, -2, 2, 2));
        }
    }
    m_rcOutline = now;
}

bool CFreehandTool::OnHover(CToolEvent& ev) {
    FollowOutline(ev);
    return false;
}

void CFreehandTool::PaintOverlay(QPainter& painter, CToolPaint& paint) {
    const QRect r = OutlineAt(paint.view, paint.tool, paint.view.m_ptCurrent);
    m_rcOutline = r;
    if (r.isEmpty()) {
        return;
    }
    // A white line under a black dashed one shows on any picture.
    painter.setBrush(Qt::NoBrush);
    const bool ellipse = OutlineIsEllipse(paint.tool);
    for (int pass = 0; pass < 2; ++pass) {
        QPen pen(pass == 0 ? Qt::white : Qt::black, 1);
        pen.setCosmetic(true);
        if (pass == 1) {
            pen.setDashPattern({3.0, 3.0});
        }
        painter.setPen(pen);
        if (ellipse) {
            painter.drawEllipse(r);
        } else {
            painter.drawRect(r);
        }
    }
}
