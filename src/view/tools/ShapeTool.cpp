#include "view/tools/ShapeTool.h"

#include <QPainter>

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "paint/ShapeDraw.h"
#include "ui/ToolOptions.h"
#include "view/PictorraView.h"
#include "view/tools/ToolTarget.h"

namespace {

bool IsShapeState(int tool) {
    return tool >= ToolLine && tool <= ToolFilledEllipse;
}

ShapeKind KindOf(int tool) {
    switch (tool) {
        case ToolRectangle:
            return ShapeKind::Rectangle;
        case ToolFilledRectangle:
            return ShapeKind::FilledRectangle;
        case ToolEllipse:
            return ShapeKind::Ellipse;
        case ToolFilledEllipse:
            return ShapeKind::FilledEllipse;
        default:
            return ShapeKind::Line;
    }
}

int WidthFactorOf(const CToolOptions& options, int tool) {
    const int* index = options.LineWidthOf(tool);
    return LineWidthFactor(index ? *index : 0);
}

}  // namespace

void CShapeTool::OnPress(CToolEvent& ev) {
    Begin(ev);
}

void CShapeTool::OnRightPress(CToolEvent& ev) {
    Begin(ev);
}

void CShapeTool::Begin(CToolEvent& ev) {
    // One shape at a time: the other button pressed during a drag does nothing.
    if (m_bDragging || !IsShapeState(ev.tool)) {
        return;
    }
    m_bDragging = true;
    m_bRight = ev.rightButton;
    m_ptPress = m_ptCurrent = ev.image;
    ev.view.InvalidateImageRect(PreviewBounds(m_ptCurrent, WidthFactorOf(ev.options, ev.tool)));
}

QRect CShapeTool::PreviewBounds(QPoint point, int widthFactor) const {
    return ShapeBounds(m_ptPress, point, widthFactor);
}

void CShapeTool::OnMove(CToolEvent& ev) {
    if (!m_bDragging || ev.rightButton != m_bRight) {
        return;
    }
    const int factor = WidthFactorOf(ev.options, ev.tool);
    const QRect before = PreviewBounds(m_ptCurrent, factor);
    m_ptCurrent = ev.image;
    ev.view.InvalidateImageRect(before | PreviewBounds(m_ptCurrent, factor));
}

void CShapeTool::OnRelease(CToolEvent& ev) {
    if (m_bDragging && !m_bRight) {
        Commit(ev);
    }
}

void CShapeTool::OnRightRelease(CToolEvent& ev) {
    if (m_bDragging && m_bRight) {
        Commit(ev);
    }
}

void CShapeTool::Commit(CToolEvent& ev) {
    m_bDragging = false;
    m_ptCurrent = ev.image;
    if (!IsShapeState(ev.tool)) {
        return;
    }
    if (!ToolTargetOf(ev.doc)) {
        return;
    }
    // The entry is recorded here rather than at the press: until now only the screen showed
    // the shape, and a drag given up leaves no empty step behind. It is recorded before a
    // present selection is lifted, so that Undo gives the picture back as it was.
    ev.doc.PushUndoState();
    const CToolTarget target = LiftForPainting(ev.doc);
    if (!target) {
        return;
    }
    DrawShape(*target.bitmap, KindOf(ev.tool), target.FromImage(m_ptPress),
              target.FromImage(m_ptCurrent), WidthFactorOf(ev.options, ev.tool), ev.firstColor,
              ev.secondColor);
    FinishPainting(ev.doc, target);
}

void CShapeTool::PaintOverlay(QPainter& painter, CToolPaint& paint) {
    if (!m_bDragging || !IsShapeState(paint.tool)) {
        return;
    }
    const CDocumentHost& host = paint.doc.Host();
    const uint32_t pen = m_bRight ? host.SecondaryColor() : host.PrimaryColor();
    const uint32_t fill = m_bRight ? host.PrimaryColor() : host.SecondaryColor();
    const CPictorraView& view = paint.view;
    // Image pixel (x, y) covers the window pixels from its mapped corner on, zoom wide: the
    // shape runs through the middle of those.
    const double zoom = view.m_fZoom;
    const CLayerFrame* layer = paint.doc.ActiveLayer();
    const QPoint layerOffset = layer ? QPoint(layer->m_nOffsetX, layer->m_nOffsetY) : QPoint();
    auto toClient = [&](QPoint image) {
        return QPointF(view.LayerToClient(image - layerOffset)) + QPointF(zoom / 2, zoom / 2);
    };
    PaintShape(painter, KindOf(paint.tool), toClient(m_ptPress), toClient(m_ptCurrent),
               zoom * WidthFactorOf(paint.options, paint.tool), QColor::fromRgba(pen),
               QColor::fromRgba(fill));
}

void CShapeTool::Deactivate(CPictorraView& view) {
    if (m_bDragging) {
        m_bDragging = false;
        view.InvalidateImage();
    }
}
