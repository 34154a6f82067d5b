#include "view/tools/FreeLassoTool.h"

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "view/PictorraView.h"

void CFreeLassoTool::OnPress(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    switch (ev.tool) {
        case ToolFreeLassoMove:
            BeginMove(ev, true);
            return;
        case ToolFreeLasso:
            if (!PressOnSelection(ev)) {
                view.m_arrPathPoints = {ev.image};
                view.SetCurrentTool(ToolFreeLassoDrawing);
            }
            return;
        case ToolFreeLassoCombine:
            view.m_arrPathPoints = {ev.image};
            ev.doc.m_bSelection = false;
            view.SetCurrentTool(ToolFreeLassoCombineDrawing);
            return;
        default:
            return;
    }
}

void CFreeLassoTool::OnMove(CToolEvent& ev) {
    auto& points = ev.view.m_arrPathPoints;
    if (ev.tool == ToolFreeLassoDrawing || ev.tool == ToolFreeLassoCombineDrawing) {
        if (points.empty() || points.back() == ev.image || ev.rightButton) {
            return;
        }
        const QRect touched = QRect(points.back(), ev.image).normalized();
        points.push_back(ev.image);
        RepaintAround(ev, touched);
        return;
    }
    if (!ev.rightButton) {
        ContinueMove(ev);
    }
}

void CFreeLassoTool::OnRelease(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    if (ev.tool == ToolFreeLassoDrawing || ev.tool == ToolFreeLassoCombineDrawing) {
        const bool combine = ev.tool == ToolFreeLassoCombineDrawing;
        view.SetCurrentTool(ToolFreeLasso);
        FinishPolygon(ev, view.m_arrPathPoints, combine, true, CSelection::kStateLasso);
        return;
    }
    EndMove(ev);
}

void CFreeLassoTool::Deactivate(CPictorraView& view) {
    if (!view.m_arrPathPoints.empty()) {
        view.DiscardPolyline();
        CPictorraDoc& doc = view.GetDocument();
        doc.m_bSelection = !doc.Selection().m_rgnSelection.isEmpty();
        view.InvalidateImage();
    }
}
