#include "view/tools/RectSelectTool.h"

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "view/PictorraView.h"

namespace {

bool IsEllipseState(int state) {
    return state == ToolEllipseSelect || state == ToolEllipseSelectMove ||
           state == ToolEllipseCombine;
}

}  // namespace

void CRectSelectTool::OnPress(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    CPictorraDoc& doc = ev.doc;
    m_drag = Drag::None;
    m_ptStart = ev.image;
    const int state = ev.tool;
    if (state == ToolRectCombine || state == ToolEllipseCombine) {
        if (view.m_bAddMode && doc.m_pFragment) {
            doc.MergeFragment();
        }
        view.m_rcCombine = CRect(ev.image.x(), ev.image.y(), ev.image.x() + 1, ev.image.y() + 1);
        m_drag = Drag::Combine;
        RepaintAround(ev, view.m_rcCombine.ToQRect());
        return;
    }
    if (IsMoveState(state)) {
        BeginMove(ev, true);
        m_drag = view.m_bResizing ? Drag::None : Drag::Move;
        return;
    }
    const bool resizing = view.m_bResizing;
    if (PressOnSelection(ev)) {
        if (!resizing) {
            m_drag = Drag::Move;
        }
        return;
    }
    doc.SavePendingUndo();
    doc.m_rcSelection = CRect(ev.image.x(), ev.image.y(), ev.image.x() + 1, ev.image.y() + 1);
    doc.m_bSelection = true;
    m_drag = Drag::NewShape;
    RepaintAround(ev, doc.m_rcSelection.ToQRect());
}

void CRectSelectTool::OnMove(CToolEvent& ev) {
    if (ev.rightButton) {
        return;
    }
    CPictorraView& view = ev.view;
    CPictorraDoc& doc = ev.doc;
    switch (m_drag) {
        case Drag::NewShape: {
            const QRect before = doc.m_rcSelection.ToQRect();
            doc.m_rcSelection = DraggedRect(ev, m_ptStart, ev.image);
            ShowSizeStatus(ev, QSize(doc.m_rcSelection.Width(), doc.m_rcSelection.Height()));
            RepaintAround(ev, before | doc.m_rcSelection.ToQRect());
            break;
        }
        case Drag::Combine: {
            const QRect before = view.m_rcCombine.ToQRect();
            view.m_rcCombine = DraggedRect(ev, m_ptStart, ev.image);
            ShowSizeStatus(ev, QSize(view.m_rcCombine.Width(), view.m_rcCombine.Height()));
            RepaintAround(ev, before | view.m_rcCombine.ToQRect());
            break;
        }
        case Drag::Move:
            ContinueMove(ev);
            break;
        case Drag::None:
            break;
    }
}

void CRectSelectTool::OnRelease(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    CPictorraDoc& doc = ev.doc;
    const Drag drag = m_drag;
    m_drag = Drag::None;
    const bool ellipse = IsEllipseState(ev.tool);
    switch (drag) {
        case Drag::NewShape: {
            if (doc.m_rcSelection.IsEmpty()) {
                doc.m_bSelection = false;  // dragged wholly outside the canvas
                break;
            }
            doc.PushUndoState();
            CSelection& selection = doc.Selection();
            selection.Append(ellipse ? CSelectionShape::Ellipse(doc.m_rcSelection)
                                     : CSelectionShape::Rectangle(doc.m_rcSelection));
            selection.m_nSelectionState =
                ellipse ? CSelection::kStateEllipse : CSelection::kStateRectangle;
            doc.Notify(kChangeSelection);
            break;
        }
        case Drag::Combine: {
            const CRect r = view.m_rcCombine;
            view.m_rcCombine = CRect();
            CombineShape(ev, ellipse ? CSelectionShape::Ellipse(r) : CSelectionShape::Rectangle(r));
            view.SetCurrentTool(ellipse ? ToolEllipseSelect : ToolRectSelect);
            break;
        }
        case Drag::Move:
            EndMove(ev);
            break;
        case Drag::None:
            break;
    }
}

void CRectSelectTool::OnRightPress(CToolEvent& ev) {
    if (m_drag != Drag::NewShape) {
        return;
    }
    // Cancels the rectangle being dragged; the release that follows does nothing.
    m_drag = Drag::None;
    const QRect shown = ev.doc.m_rcSelection.ToQRect();
    ev.doc.m_bSelection = false;
    ev.doc.m_rcSelection = CRect();
    ev.view.m_bLeftDrag = 0;
    ev.view.ReleaseCapture();
    RepaintAround(ev, shown);
}

void CRectSelectTool::Deactivate(CPictorraView& view) {
    if (m_drag == Drag::NewShape) {
        view.GetDocument().m_bSelection = false;
        view.GetDocument().m_rcSelection = CRect();
    }
    if (m_drag == Drag::Combine) {
        view.m_rcCombine = CRect();
    }
    if (m_drag != Drag::None) {
        view.InvalidateImage();
    }
    m_drag = Drag::None;
}
