#include "view/tools/LassoTool.h"

#include <cstdlib>

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "view/PictorraView.h"

bool CLassoTool::ClosesPolygon(QPoint first, QPoint p) {
    return std::abs(p.x() - first.x()) < 3 && std::abs(p.y() - first.y()) < 3;
}

void CLassoTool::OnPress(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    auto& points = view.m_arrPathPoints;
    switch (ev.tool) {
        case ToolLassoMove:
            BeginMove(ev, true);
            return;
        case ToolLasso:
            if (!PressOnSelection(ev)) {
                points = {ev.image, ev.image};
                view.SetCurrentTool(ToolLassoDrawing);
            }
            return;
        case ToolLassoCombine:
            points = {ev.image, ev.image};
            // No resize handles while the polygon is clicked.
            ev.doc.m_bSelection = false;
            view.SetCurrentTool(ToolLassoCombineDrawing);
            return;
        case ToolLassoDrawing:
        case ToolLassoCombineDrawing: {
            if (points.empty()) {
                points = {ev.image, ev.image};
                return;
            }
            points.back() = ev.image;
            points.push_back(ev.image);
            if (!ClosesPolygon(points.front(), ev.image)) {
                return;
            }
            const bool combine = ev.tool == ToolLassoCombineDrawing;
            std::vector<QPoint> polygon = points;
            polygon.back() = polygon.front();
            view.SetCurrentTool(ToolLasso);
            view.ReleaseCapture();
            FinishPolygon(ev, std::move(polygon), combine, true, CSelection::kStateLasso);
            return;
        }
        default:
            return;
    }
}

void CLassoTool::OnMove(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    auto& points = view.m_arrPathPoints;
    if ((ev.tool == ToolLassoDrawing || ev.tool == ToolLassoCombineDrawing) && !points.empty()) {
        if (points.back() == ev.image) {
            return;
        }
        QRect touched(points.back(), ev.image);
        if (points.size() >= 2) {
            touched |= QRect(points[points.size() - 2], points.back());
        }
        points.back() = ev.image;
        RepaintAround(ev, touched.normalized());
        return;
    }
    if (!ev.rightButton) {
        ContinueMove(ev);
    }
}

void CLassoTool::OnRelease(CToolEvent& ev) {
    EndMove(ev);
}

void CLassoTool::OnRightPress(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    auto& points = view.m_arrPathPoints;
    if (ev.tool != ToolLassoDrawing && ev.tool != ToolLassoCombineDrawing) {
        return;
    }
    if (!points.empty()) {
        points.pop_back();
    }
    if (points.size() < 2) {
        // Nothing left of the polygon.
        view.DiscardPolyline();
        ev.doc.m_bSelection = HasRegion(ev);
        view.SetCurrentTool(ToolLasso);
    } else {
        // The point before becomes the one that follows the mouse.
        points.back() = ev.image;
    }
    view.InvalidateImage();
}

void CLassoTool::Deactivate(CPictorraView& view) {
    if (!view.m_arrPathPoints.empty()) {
        view.DiscardPolyline();
        CPictorraDoc& doc = view.GetDocument();
        doc.m_bSelection = !doc.Selection().m_rgnSelection.isEmpty();
        view.InvalidateImage();
    }
}
