#include "view/tools/SelectionTool.h"

#include <QTransform>
#include <algorithm>

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "paint/SelectionHandles.h"
#include "platform/Draw.h"
#include "ui/ToolOptions.h"
#include "view/PictorraView.h"

namespace {

// The states whose clicks belong to a polyline being drawn (or edited), and the states of a
// shape being combined: neither starts a resize.
bool OwnsItsClicks(int state) {
    switch (state) {
        case ToolLassoDrawing:
        case ToolLassoCombine:
        case ToolLassoCombineDrawing:
        case ToolRectCombine:
        case ToolEllipseCombine:
        case ToolFreeLassoDrawing:
        case ToolFreeLassoCombine:
        case ToolFreeLassoCombineDrawing:
        case ToolScissorDrawing:
        case ToolScissorCombine:
        case ToolScissorCombineDrawing:
        case ToolScissorClosed:
        case ToolScissorEditAnchor:
            return true;
        default:
            return false;
    }
}

// The drawing states in which a press inside an existing selection moves its outline.
bool MovesOutline(int state) {
    return state == ToolRectSelect || state == ToolLasso || state == ToolEllipseSelect ||
           state == ToolFreeLasso || state == ToolScissor;
}

// A moving state's drawing state.
int DrawingStateOf(int state) {
    switch (state) {
        case ToolRectSelectMove:
            return ToolRectSelect;
        case ToolLassoMove:
            return ToolLasso;
        case ToolEllipseSelectMove:
            return ToolEllipseSelect;
        case ToolHueSelectMove:
            return ToolHueSelect;
        case ToolFreeLassoMove:
            return ToolFreeLasso;
        case ToolScissorMove:
            return ToolScissor;
        default:
            return state;
    }
}

// Image pixels to the pixels of the lifted fragment, which is shown stretched into the
// selection's rectangle.
QTransform ImageToFragment(const CPictorraDoc& doc) {
    QTransform t;
    const CRect& r = doc.m_rcSelection;
    if (doc.m_pFragment && !r.IsEmpty()) {
        t.scale(double(doc.m_pFragment->Width()) / r.Width(),
                double(doc.m_pFragment->Height()) / r.Height());
    }
    t.translate(-r.left, -r.top);
    return t;
}

}  // namespace

int CSelectionTool::StateForModifiers(int state, bool alt, bool shift, bool ctrl) {
    if (alt || shift) {
        switch (state) {
            case ToolRectSelect:
            case ToolRectSelectMove:
                return ToolRectCombine;
            case ToolLasso:
            case ToolLassoMove:
                return ToolLassoCombine;
            case ToolEllipseSelect:
            case ToolEllipseSelectMove:
                return ToolEllipseCombine;
            case ToolFreeLasso:
            case ToolFreeLassoMove:
                return ToolFreeLassoCombine;
            case ToolScissor:
            case ToolScissorMove:
                return ToolScissorCombine;
            default:
                return state;
        }
    }
    if (ctrl) {
        switch (state) {
            case ToolRectSelect:
            case ToolRectCombine:
                return ToolRectSelectMove;
            case ToolLasso:
            case ToolLassoDrawing:
            case ToolLassoCombine:
                return ToolLassoMove;
            case ToolEllipseSelect:
            case ToolEllipseCombine:
                return ToolEllipseSelectMove;
            case ToolFreeLasso:
            case ToolFreeLassoDrawing:
            case ToolFreeLassoCombine:
                return ToolFreeLassoMove;
            case ToolScissor:
            case ToolScissorDrawing:
            case ToolScissorCombine:
                return ToolScissorMove;
            default:
                return state;
        }
    }
    return state;
}

bool CSelectionTool::IsMoveState(int state) {
    return state == ToolRectSelectMove || state == ToolLassoMove ||
           state == ToolEllipseSelectMove || state == ToolHueSelectMove ||
           state == ToolFreeLassoMove || state == ToolScissorMove;
}

bool CSelectionTool::HasRegion(CToolEvent& ev) {
    return !ev.doc.Selection().m_rgnSelection.isEmpty();
}

bool CSelectionTool::PressOnSelection(CToolEvent& ev) {
    if (ev.view.m_bResizing) {
        BeginResize(ev);
        return true;
    }
    if (HasRegion(ev)) {
        BeginMove(ev, false);
        return true;
    }
    return false;
}

bool CSelectionTool::BeforePress(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    CPictorraDoc& doc = ev.doc;
    m_bMoving = false;
    int state = ev.tool;
    bool combining = false;
    if (HasRegion(ev)) {
        const bool alt = doc.m_bAltDown, shift = doc.m_bShiftDown, ctrl = doc.m_bCtrlDown;
        if (alt) {
            view.m_bSubtractMode = 1;
            view.m_bAddMode = 0;
        } else if (shift) {
            view.m_bAddMode = 1;
            view.m_bSubtractMode = 0;
            view.m_bCutMode = 0;
        } else if (ctrl) {
            view.m_bCutMode = 1;
        }
        const int next = StateForModifiers(state, alt, shift, ctrl);
        combining = (alt || shift) && next != state;
        state = next;
    } else if (IsMoveState(state) && !doc.m_pFragment && !doc.IsSelectionPresent()) {
        // Nothing left to move (the selection was dropped): the tool draws again.
        state = DrawingStateOf(state);
    }
    view.SetCurrentTool(state);
    ev.tool = state;

    if (doc.m_bSelection && !combining && !OwnsItsClicks(state) && !doc.m_rcSelection.IsEmpty()) {
        if (const int handle = SelectionHandleAt(doc.m_rcSelection, ev.image)) {
            view.m_bResizing = 1;
            view.m_nResizeHandle = handle;
            return true;
        }
    }
    const bool onSelection = IsMoveState(state) || (MovesOutline(state) && HasRegion(ev));
    if (onSelection) {
        const bool inside = !doc.m_rcSelection.IsEmpty() &&
                            view.ImageToClient(doc.m_rcSelection.ToQRect()).contains(ev.client);
        if (!inside) {
            // A press outside the selection ends it; the next press starts a new one.
            doc.DropSelection();
            view.DiscardPolyline();
            view.m_bLeftDrag = 0;
            view.ReleaseCapture();
            view.InvalidateImage();
            return false;
        }
    }
    return true;
}

void CSelectionTool::BeginMove(CToolEvent& ev, bool liftPixels) {
    CPictorraDoc& doc = ev.doc;
    if (liftPixels) {
        doc.PushUndoState();
        if (!doc.m_pFragment && !doc.LiftSelection()) {
            return;  // nothing of the layer is selected: the selection is gone
        }
        // The state just before the selection is put back, so that Undo after the drop shows
        // the pixels floating where they were moved to.
        doc.SavePendingUndo();
        ev.view.InvalidateImageRect(doc.m_rcSelection.ToQRect());
    }
    m_bMoving = true;
    m_ptLast = ev.image;
}

void CSelectionTool::ContinueMove(CToolEvent& ev) {
    if (!m_bMoving) {
        return;
    }
    const QPoint delta = ev.image - m_ptLast;
    if (delta.isNull()) {
        return;
    }
    CPictorraDoc& doc = ev.doc;
    CSelection& selection = ev.doc.Selection();
    const QRect before = doc.m_rcSelection.ToQRect() | selection.m_rgnSelection.boundingRect();
    doc.m_rcSelection = doc.m_rcSelection.Offset(delta.x(), delta.y());
    selection.Offset(delta.x(), delta.y());
    selection.BuildRegion();
    m_ptLast = ev.image;
    ShowSizeStatus(ev, doc.m_rcSelection.ToQRect().size());
    RepaintAround(ev, before | before.translated(delta));
}

void CSelectionTool::EndMove(CToolEvent& ev) {
    if (m_bMoving) {
        m_bMoving = false;
        ev.doc.m_rcSelectionPrev = ev.doc.m_rcSelection;
        // The layer's tile shows the moved pixels where they now lie.
        if (ev.doc.m_pFragment) {
            ev.doc.Notify(kChangeThumbnails);
        }
    }
}

void CSelectionTool::BeginResize(CToolEvent& ev) {
    m_bMoving = false;
    ev.doc.PushUndoState();
}

void CSelectionTool::OnResize(CToolEvent& ev) {
    CPictorraDoc& doc = ev.doc;
    CSelection& selection = ev.doc.Selection();
    const CRect old = doc.m_rcSelection;
    const CRect next = DragSelectionHandle(old, ev.view.m_nResizeHandle, ev.image);
    if (next == old) {
        return;
    }
    const QRect before = old.ToQRect() | selection.m_rgnSelection.boundingRect();
    selection.Scale(QPoint(old.left, old.top), next.Width(), old.Width(), next.Height(),
                    old.Height());
    selection.Offset(next.left - old.left, next.top - old.top);
    selection.BuildRegion();
    doc.m_rcSelection = next;
    ShowSizeStatus(ev, QSize(next.Width(), next.Height()));
    RepaintAround(ev, before | next.ToQRect() | selection.m_rgnSelection.boundingRect());
}

bool CSelectionTool::OnHover(CToolEvent&) {
    // The cursor tells the handles; nothing else changes.
    return false;
}

std::optional<QCursor> CSelectionTool::CursorAt(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    const CRect& r = ev.doc.m_rcSelection;
    if (!ev.doc.m_bSelection || r.IsEmpty() || OwnsItsClicks(ev.tool) ||
        (view.m_bLeftDrag && !view.m_bResizing)) {
        return std::nullopt;
    }
    // The same zones as a press, in window pixels.
    const QPoint tl = view.ImageToClient(QRect(r.left, r.top, 1, 1)).topLeft();
    const QPoint br = view.ImageToClient(QRect(r.right, r.bottom, 1, 1)).topLeft();
    const int handle = view.m_bResizing
                           ? view.m_nResizeHandle
                           : SelectionHandleAt(CRect(tl.x(), tl.y(), br.x(), br.y()), ev.client);
    switch (handle) {
        case kHandleLeft:
        case kHandleRight:
            return QCursor(Qt::SizeHorCursor);
        case kHandleTop:
        case kHandleBottom:
            return QCursor(Qt::SizeVerCursor);
        case kHandleTopLeft:
        case kHandleBottomRight:
            return QCursor(Qt::SizeFDiagCursor);
        case kHandleTopRight:
        case kHandleBottomLeft:
            return QCursor(Qt::SizeBDiagCursor);
        default:
            return std::nullopt;
    }
}

int CSelectionTool::CombineMode(CToolEvent& ev) {
    return ev.view.m_bSubtractMode ? kSelectionCut : kSelectionAdd;
}

void CSelectionTool::CombineShape(CToolEvent& ev, CSelectionShape shape) {
    CPictorraDoc& doc = ev.doc;
    CSelection& selection = ev.doc.Selection();
    const int mode = CombineMode(ev);
    shape.m_nMode = mode;
    if (mode == kSelectionAdd && doc.m_pFragment) {
        // The lifted pixels go back before the outline grows past them.
        doc.MergeFragment();
    }
    const CRect old = doc.m_rcSelection;
    doc.PushUndoState();
    if (mode == kSelectionCut && doc.m_pFragment) {
        const QRegion cut(shape.ToPolygon(), Qt::WindingFill);
        FillRegion(*doc.m_pFragment, ImageToFragment(doc).map(cut), 0x00000000);
        selection.m_pFragmentOriginal = doc.m_pFragment->Clone();
    }
    selection.Append(std::move(shape));
    doc.m_rcSelection = old.Union(CRect::FromQRect(selection.m_rgnSelection.boundingRect()));
    doc.Notify(kChangeSelection);
}

void CSelectionTool::FinishPolygon(CToolEvent& ev, std::vector<QPoint> points, bool combine,
                                   bool record, int selectionState) {
    CPictorraView& view = ev.view;
    CPictorraDoc& doc = ev.doc;
    CSelection& selection = doc.Selection();
    view.DiscardPolyline();
    view.InvalidateImage();
    if (!points.empty() && points.back() != points.front()) {
        points.push_back(points.front());
    }
    CSelectionShape shape = CSelectionShape::Polygon(points);
    const bool enclosesNothing = QRegion(shape.ToPolygon(), Qt::WindingFill).isEmpty();
    doc.m_bSelection = combine ? !selection.m_rgnSelection.isEmpty() : false;
    if (enclosesNothing) {
        return;
    }
    doc.m_bSelection = true;
    if (combine) {
        CombineShape(ev, std::move(shape));
    } else {
        if (record) {
            doc.PushUndoState();
        }
        doc.m_rcSelection = PolylineBounds(ev, points);
        selection.Append(std::move(shape));
    }
    selection.m_nSelectionState = selectionState;
    doc.Notify(kChangeSelection);
}

void CSelectionTool::RepaintAround(CToolEvent& ev, const QRect& imageRect) {
    if (imageRect.isEmpty()) {
        return;
    }
    ev.view.InvalidateClientRect(
        ev.view.ImageToClient(imageRect.adjusted(-2, -2, 2, 2)).adjusted(-3, -3, 3, 3));
}

void CSelectionTool::ShowSizeStatus(CToolEvent& ev, QSize size) {
    ev.view.SetStatusText(QString::asprintf("X: %.3d Y: %.3d [%d, %d]", ev.image.x(), ev.image.y(),
                                            size.width(), size.height()));
}

CRect CSelectionTool::DraggedRect(CToolEvent& ev, QPoint a, QPoint b) {
    const QSize canvas = ev.view.CanvasSize();
    const CRect r(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()) + 1,
                  std::max(a.y(), b.y()) + 1);
    return r.Intersect(CRect(0, 0, canvas.width(), canvas.height()));
}

CRect CSelectionTool::PolylineBounds(CToolEvent& ev, const std::vector<QPoint>& points) {
    if (points.empty()) {
        return {};
    }
    QPoint low = points.front(), high = points.front();
    for (const QPoint& p : points) {
        low = QPoint(std::min(low.x(), p.x()), std::min(low.y(), p.y()));
        high = QPoint(std::max(high.x(), p.x()), std::max(high.y(), p.y()));
    }
    return DraggedRect(ev, low, high);
}
