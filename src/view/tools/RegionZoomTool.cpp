#include "view/tools/RegionZoomTool.h"

#include <QPainter>

#include "view/PictorraView.h"

QRect CRegionZoomTool::BandOnScreen(const CPictorraView& view) const {
    return QRect(view.LayerToClient(view.m_ptDragStart), view.LayerToClient(view.m_ptDragEnd))
        .normalized();
}

void CRegionZoomTool::OnPress(CToolEvent& ev) {
    ev.view.m_ptDragStart = ev.view.m_ptDragEnd = ev.layer;
    m_bDragging = true;
}

void CRegionZoomTool::OnMove(CToolEvent& ev) {
    if (!m_bDragging || ev.rightButton) {
        return;
    }
    const QRect before = BandOnScreen(ev.view);
    ev.view.m_ptDragEnd = ev.layer;
    ev.view.InvalidateClientRect((before | BandOnScreen(ev.view)).adjusted(-2, -2, 2, 2));
}

void CRegionZoomTool::OnRelease(CToolEvent& ev) {
    if (!m_bDragging) {
        return;
    }
    m_bDragging = false;
    ev.view.m_ptDragEnd = ev.layer;
    ev.view.ZoomToRegion(QRect(ev.view.m_ptDragStart, ev.view.m_ptDragEnd).normalized());
}

void CRegionZoomTool::PaintOverlay(QPainter& painter, CToolPaint& paint) {
    if (!m_bDragging) {
        return;
    }
    const QRect band = BandOnScreen(paint.view);
    QPen white(Qt::white, 2);
    painter.setPen(white);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(band);
    QPen black(Qt::black, 2);
    black.setDashPattern({3.0, 3.0});
    painter.setPen(black);
    painter.drawRect(band);
}

void CRegionZoomTool::Deactivate(CPictorraView& view) {
    if (m_bDragging) {
        m_bDragging = false;
        view.InvalidateImage();
    }
}
