// Mouse and keys: the steps every tool shares, then the tool of the current state. The tool
// state, the options and the colours are read from the main frame at every event.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "ui/ToolOptions.h"
#include "view/PictorraView.h"
#include "view/ViewCursors.h"
#include "view/ViewFrame.h"
#include "view/ZoomSteps.h"

namespace {

// The tools Alt turns into the colour picker while it is held: the painting tools.
bool IsParkedByAlt(int tool) {
    switch (tool) {
        case ToolPencil:
        case ToolLine:
        case ToolRectangle:
        case ToolFilledRectangle:
        case ToolEllipse:
        case ToolFilledEllipse:
        case ToolText:
        case ToolTextTyping:
        case ToolFill:
        case ToolBlur:
        case ToolEraser:
        case ToolMoveLayer:
        case ToolSpray:
        case ToolBrush:
        case ToolGradient:
            return true;
        default:
            return false;
    }
}

// The drawing states that follow the mouse without a button.
bool FollowsMouse(int tool) {
    return tool == ToolLassoDrawing || tool == ToolLassoCombineDrawing ||
           tool == ToolFreeLassoDrawing || tool == ToolFreeLassoCombineDrawing ||
           tool == ToolScissorDrawing || tool == ToolScissorCombineDrawing;
}

// The selection states whose cursor shows whether the mouse is over the selection.
bool ShowsSelectionCursor(int tool) {
    switch (tool) {
        case ToolRectSelect:
        case ToolRectSelectMove:
        case ToolLasso:
        case ToolLassoMove:
        case ToolEllipseSelect:
        case ToolEllipseSelectMove:
        case ToolHueSelectMove:
        case ToolFreeLasso:
        case ToolFreeLassoMove:
        case ToolScissor:
        case ToolScissorMove:
            return true;
        default:
            return false;
    }
}

// States in which Alt or Shift shows the selection cross (adding or subtracting).
bool CombinesWithModifier(int tool) {
    switch (tool) {
        case ToolRectSelect:
        case ToolRectSelectMove:
        case ToolLasso:
        case ToolLassoMove:
        case ToolEllipseSelect:
        case ToolEllipseSelectMove:
        case ToolFreeLasso:
        case ToolFreeLassoMove:
        case ToolScissor:
        case ToolScissorMove:
        case ToolStampSourceSet:
        case ToolStampAligned:
            return true;
        default:
            return false;
    }
}

QString PositionText(QPoint image) {
    return QString::asprintf("X: %.3d Y: %.3d", image.x(), image.y());
}

}  // namespace

CTool* CPictorraView::CurrentToolObject() {
    CTool* tool = m_tools.ToolFor(CurrentTool());
    if (tool != m_pLastTool) {
        if (m_pLastTool) {
            m_pLastTool->Deactivate(*this);
        }
        m_pLastTool = tool;
    }
    return tool;
}

CToolEvent CPictorraView::MakeEvent(QPoint client, bool rightButton) {
    const CDocumentHost& host = m_doc.Host();
    CToolEvent ev{*this,
                  m_doc,
                  Options(),
                  CurrentTool(),
                  client,
                  ClientToImage(client),
                  ClientToLayer(client)};
    ev.rightButton = rightButton;
    ev.firstColor = rightButton ? host.SecondaryColor() : host.PrimaryColor();
    ev.secondColor = rightButton ? host.PrimaryColor() : host.SecondaryColor();
    return ev;
}

void CPictorraView::TrackPoint(QPoint client) {
    m_ptPrevious = m_ptCurrent;
    m_ptCurrent = client;
}

// --- Mouse --------------------------------------------------------------------------------

void CPictorraView::mousePressEvent(QMouseEvent* event) {
    const QPoint client = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        OnLeftDown(client);
    } else if (event->button() == Qt::RightButton) {
        OnRightDown(client);
    }
    UpdateCursor();
}

void CPictorraView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a double click is a click like the first.
    mousePressEvent(event);
}

void CPictorraView::mouseMoveEvent(QMouseEvent* event) {
    OnMove(event->position().toPoint(), event->buttons());
}

void CPictorraView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint client = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        OnLeftUp(client);
    } else if (event->button() == Qt::RightButton) {
        OnRightUp(client);
    }
    UpdateCursor();
}

void CPictorraView::OnLeftDown(QPoint client) {
    TrackPoint(client);
    const CLayerFrame* layer = m_doc.ActiveLayer();
    if (!layer || !m_doc.IsShown()) {
        return;
    }
    const int state = CurrentTool();
    // Outside the active layer only the layer mover and the selection tools start anything.
    if (!ImageToClient(layer->Rect().ToQRect()).contains(client) && state != ToolMoveLayer &&
        !IsSelectionToolState(state)) {
        return;
    }
    if (!m_bRightDrag) {
        m_bLeftDrag = 1;
    }
    m_ptPress = client;
    m_ptAnchor = ClientToLayer(client);
    CTool* tool = CurrentToolObject();
    CToolEvent ev = MakeEvent(client, false);
    if (tool && !tool->BeforePress(ev)) {
        return;
    }
    SetCapture();
    m_ptPressImage = ev.image;
    if (state != ToolTextTyping) {
        FinishTextEntry();
    }
    // BeforePress may have changed the state (a modifier key turning it into another one).
    tool = CurrentToolObject();
    if (tool) {
        CToolEvent press = MakeEvent(client, false);
        tool->OnPress(press);
    }
}

void CPictorraView::OnMove(QPoint client, Qt::MouseButtons buttons) {
    const QPoint previousImage = ClientToImage(m_ptCurrent);
    TrackPoint(client);
    if (!m_doc.IsShown()) {
        return;
    }
    const int state = CurrentTool();
    const QPoint image = ClientToImage(client);
    if (m_bLeftDrag && state >= ToolRectangle && state <= ToolFilledEllipse) {
        const QPoint size = image - m_ptPressImage;
        SetStatusText(PositionText(image) +
                      QString::asprintf(" [%d, %d]", std::abs(size.x()), std::abs(size.y())));
    } else {
        SetStatusText(PositionText(image));
    }
    CTool* tool = CurrentToolObject();
    if (tool) {
        if (m_bResizing && IsSelectionToolState(state)) {
            CToolEvent ev = MakeEvent(client, false);
            tool->OnResize(ev);
        } else if ((m_bLeftDrag && image != previousImage) || FollowsMouse(state)) {
            CToolEvent ev = MakeEvent(client, false);
            tool->OnMove(ev);
        } else if (m_bRightDrag && !m_bLeftDrag) {
            CToolEvent ev = MakeEvent(client, true);
            tool->OnMove(ev);
        } else if (!(buttons & (Qt::LeftButton | Qt::RightButton))) {
            CToolEvent ev = MakeEvent(client, false);
            tool->OnHover(ev);
        }
    }
    UpdateCursor();
}

void CPictorraView::OnLeftUp(QPoint client) {
    TrackPoint(client);
    if (m_bResizing) {
        m_bResizing = 0;
        m_bLeftDrag = 0;
        ReleaseCapture();
        // The layer's tile shows the stretched fragment where it now lies.
        if (GetDocument().m_pFragment) {
            GetDocument().Notify(kChangeThumbnails);
        }
        return;
    }
    if (!m_bLeftDrag) {
        return;
    }
    m_bLeftDrag = 0;
    ReleaseCapture();
    if (CTool* tool = CurrentToolObject()) {
        CToolEvent ev = MakeEvent(client, false);
        tool->OnRelease(ev);
    }
    m_doc.RebuildLayerCaches();
    InvalidateImage();
    m_frame.RefreshLayersPanel();
}

void CPictorraView::OnRightDown(QPoint client) {
    TrackPoint(client);
    if (!m_doc.IsShown() || !m_doc.ActiveLayer()) {
        return;
    }
    if (!m_bLeftDrag) {
        m_bRightDrag = 1;
    }
    if (CTool* tool = CurrentToolObject()) {
        CToolEvent ev = MakeEvent(client, true);
        tool->OnRightPress(ev);
    }
}

void CPictorraView::OnRightUp(QPoint client) {
    TrackPoint(client);
    const bool wasDragging = m_bRightDrag;
    m_bRightDrag = 0;
    if (!wasDragging) {
        return;
    }
    if (CTool* tool = CurrentToolObject()) {
        CToolEvent ev = MakeEvent(client, true);
        tool->OnRightRelease(ev);
    }
    m_doc.RebuildLayerCaches();
    InvalidateImage();
    m_frame.RefreshLayersPanel();
}

void CPictorraView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Ctrl + wheel zooms one step per notch about the point under the mouse.
    const int notches = event->angleDelta().y() / 120;
    float zoom = m_fZoom;
    for (int i = 0; i < std::abs(notches); ++i) {
        zoom = notches > 0 ? ZoomInStep(zoom) : ZoomOutStep(zoom);
    }
    if (zoom != m_fZoom) {
        SetZoom(zoom, event->position().toPoint());
    }
    event->accept();
}

// --- Cursor -------------------------------------------------------------------------------

QCursor CPictorraView::CursorAt(QPoint client) {
    const int state = CurrentTool();
    if (CTool* tool = CurrentToolObject()) {
        CToolEvent ev = MakeEvent(client, false);
        if (std::optional<QCursor> own = tool->CursorAt(ev)) {
            return *own;
        }
    }
    const CLayerFrame* layer = m_doc.ActiveLayer();
    const bool inLayer = layer && ImageToClient(layer->Rect().ToQRect()).contains(client);
    if ((m_doc.m_bAltDown || m_doc.m_bShiftDown) && CombinesWithModifier(state)) {
        return NamedCursor(ViewCursor::SelectionCross);
    }
    if (ShowsSelectionCursor(state)) {
        if (m_doc.IsSelectionPresent() &&
            ImageToClient(m_doc.m_rcSelection.ToQRect()).contains(client)) {
            return QCursor(Qt::SizeAllCursor);
        }
        return inLayer ? NamedCursor(ViewCursor::SelectionCross) : QCursor(Qt::ArrowCursor);
    }
    switch (state) {
        case ToolPencil:
            return NamedCursor(ViewCursor::Pencil);
        case ToolLine:
        case ToolRectangle:
        case ToolFilledRectangle:
        case ToolEllipse:
        case ToolFilledEllipse:
        case ToolStampPickSource:
            return QCursor(Qt::CrossCursor);
        case ToolMoveLayer:
        case ToolMoveLayerDragging:
            return QCursor(Qt::SizeAllCursor);
        case ToolColorPicker:
            return NamedCursor(ViewCursor::Pipette);
        case ToolText:
        case ToolTextTyping:
            return QCursor(Qt::IBeamCursor);
        case ToolFill:
            return NamedCursor(ViewCursor::Fill);
        case ToolBlur:
            return NamedCursor(ViewCursor::Blur);
        case ToolEraser:
            return NamedCursor(ViewCursor::Eraser);
        case ToolSpray:
        case ToolSpraying:
            return NamedCursor(ViewCursor::Spray);
        case ToolBrush:
            // The brush's outline shows where it paints.
            return inLayer ? QCursor(Qt::BlankCursor) : QCursor(Qt::ArrowCursor);
        case ToolStampSourceSet:
        case ToolStampAligned:
        case ToolStampPainting:
            return QCursor(Qt::BlankCursor);
        case ToolRegionZoom:
            return NamedCursor(ViewCursor::SelectionCross);
        default:
            return QCursor(Qt::ArrowCursor);
    }
}

void CPictorraView::ToolStateChanged() {
    CurrentToolObject();
    InvalidateImage();
    UpdateCursor();
}

void CPictorraView::UpdateCursor() {
    const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
    viewport()->setCursor(CursorAt(viewport()->rect().contains(at) ? at : m_ptCurrent));
}

// --- Keys ---------------------------------------------------------------------------------

void CPictorraView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Control:
            m_doc.m_bCtrlDown = 1;
            break;
        case Qt::Key_Shift:
            m_doc.m_bShiftDown = 1;
            break;
        case Qt::Key_Alt:
            if (!event->isAutoRepeat()) {
                OnAltDown();
            }
            break;
        case Qt::Key_Escape:
            OnEscape();
            break;
        default: {
            CTool* tool = CurrentToolObject();
            CToolEvent ev = MakeEvent(m_ptCurrent, false);
            if (tool && tool->OnKeyDown(ev, event->key())) {
                break;
            }
            const QString text = event->text();
            if (tool && !text.isEmpty() && text.at(0).isPrint() &&
                !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                tool->OnChar(ev, text);
                break;
            }
            QAbstractScrollArea::keyPressEvent(event);
            break;
        }
    }
    UpdateCursor();
}

void CPictorraView::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) {
        return;
    }
    switch (event->key()) {
        case Qt::Key_Control:
            m_doc.m_bCtrlDown = 0;
            break;
        case Qt::Key_Shift:
            m_doc.m_bShiftDown = 0;
            break;
        case Qt::Key_Alt:
            OnAltUp(true);
            break;
        default:
            QAbstractScrollArea::keyReleaseEvent(event);
            break;
    }
    UpdateCursor();
}

void CPictorraView::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) {
        if (CTool* tool = CurrentToolObject()) {
            CToolEvent ev = MakeEvent(m_ptCurrent, false);
            tool->OnChar(ev, event->commitString());
        }
    }
    event->accept();
}

void CPictorraView::OnAltDown() {
    CToolOptions& options = Options();
    const int state = options.m_nTool;
    if (state == ToolStampSourceSet || state == ToolStampAligned) {
        options.m_nTool = ToolStampPickSource;
    }
    m_doc.m_bAltDown = 1;
    m_doc.m_bAltHeld = 1;
    if (IsParkedByAlt(state)) {
        options.m_nParkedTool = state;
        options.m_nTool = ToolColorPicker;
    }
    InvalidateImage();
}

void CPictorraView::OnAltUp(bool systemKey) {
    CToolOptions& options = Options();
    if (options.m_nTool == ToolStampPickSource && m_ptStampSource != QPoint(-1, -1)) {
        options.m_nTool = ToolStampSourceSet;
    }
    m_doc.m_bAltDown = 0;
    if (systemKey) {
        m_doc.m_bAltHeld = 0;
    }
    RestoreParkedTool();
}

void CPictorraView::RestoreParkedTool() {
    CToolOptions& options = Options();
    if (options.m_nTool == ToolColorPicker && options.m_nParkedTool != 0) {
        options.m_nTool = options.m_nParkedTool;
        options.m_nParkedTool = 0;
    }
}

void CPictorraView::OnEscape() {
    const int state = CurrentTool();
    if (!m_Selection.m_rgnSelection.isEmpty() || m_doc.m_pFragment) {
        m_doc.DropSelection();
        m_doc.RebuildLayerCaches();
        InvalidateImage();
    }
    if (state == ToolLassoDrawing || state == ToolLassoCombineDrawing) {
        DiscardPolyline();
        SetCurrentTool(ToolLasso);
        InvalidateImage();
    } else if (state == ToolScissorDrawing || state == ToolScissorCombineDrawing ||
               state == ToolScissorClosed) {
        DiscardPolyline();
        m_doc.m_bSelection = false;
        SetCurrentTool(ToolScissor);
        InvalidateImage();
    }
    if (CTool* tool = CurrentToolObject()) {
        CToolEvent ev = MakeEvent(m_ptCurrent, false);
        tool->OnKeyDown(ev, Qt::Key_Escape);
    }
}

// --- Focus --------------------------------------------------------------------------------

void CPictorraView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    m_doc.m_bShiftDown = m_doc.m_bAltDown = m_doc.m_bCtrlDown = 0;
    RestoreParkedTool();
}

void CPictorraView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    // The keys' releases go to another window now: nothing may stay held.
    m_doc.m_bShiftDown = m_doc.m_bAltDown = m_doc.m_bCtrlDown = m_doc.m_bAltHeld = 0;
    RestoreParkedTool();
}

bool CPictorraView::focusNextPrevChild(bool) {
    // Tab belongs to the main window's commands, not to moving the focus.
    return false;
}
