// The view's state, commands, zoom, scrolling and coordinates. Painting is in
// PictorraView_Paint.cpp, mouse and keys in PictorraView_Input.cpp.
#include "view/PictorraView.h"

#include <QFontDialog>
#include <QScrollBar>
#include <QTimerEvent>
#include <algorithm>
#include <climits>
#include <cmath>

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "platform/Bitmap.h"
#include "ui/CommandIds.h"
#include "ui/ToolOptions.h"
#include "view/ViewCommands.h"
#include "view/ViewFrame.h"
#include "view/ZoomSteps.h"

namespace {

int ClampToInt(double v) {
    return int(std::clamp(v, double(INT_MIN / 2), double(INT_MAX / 2)));
}

// The text tool's font: Arial 10 pt. Without Arial, its metric-compatible twin (Liberation
// Sans, which is also what the font configuration gives for "Arial"), else the generic sans
// serif family. An empty family with only a style hint would resolve to any font at all.
QFont TextToolFont() {
    QFont font(QStringLiteral("Arial"), 10);
    font.setStyleHint(QFont::SansSerif);
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arimo"), QStringLiteral("sans-serif")});
    return font;
}

}  // namespace

CPictorraView::CPictorraView(CPictorraDoc& doc, CViewFrame& frame, QWidget* parent,
                             const CToolRegistry& tools)
    : QAbstractScrollArea(parent),
      m_TextFont(TextToolFont()),
      m_doc(doc),
      m_frame(frame),
      m_tools(tools) {
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    RegisterCommands();
}

CPictorraView::~CPictorraView() {
    m_tools.ForEach([this](CTool& tool) { tool.Deactivate(*this); });
}

void CPictorraView::RegisterCommands() {
    OnCommand(
        ID_VIEW_ZOOM_IN, [this] { ZoomIn(); },
        [this](CCmdUI& ui) { ui.Enable(m_fZoom < kMaxZoom); });
    OnCommand(
        ID_VIEW_ZOOM_OUT, [this] { ZoomOut(); },
        [this](CCmdUI& ui) { ui.Enable(m_fZoom > kMinZoom); });
    OnCommand(
        ID_VIEW_REGION_ZOOM, [this] { SetCurrentTool(ToolRegionZoom); },
        [this](CCmdUI& ui) { ui.SetCheck(CurrentTool() == ToolRegionZoom); });
    OnCommand(ID_VIEW_FONT, [this] { ChooseTextFont(); });
    for (const CFixedZoom& fixed : FixedZooms()) {
        const float zoom = fixed.zoom;
        OnCommand(
            fixed.id, [this, zoom] { SetZoom(zoom); },
            [this, zoom](CCmdUI& ui) { ui.SetCheck(m_fZoom == zoom); });
    }
}

CToolOptions& CPictorraView::Options() const {
    return m_frame.ToolOptions();
}

int CPictorraView::CurrentTool() const {
    return Options().m_nTool;
}

void CPictorraView::SetCurrentTool(int tool) {
    Options().m_nTool = tool;
}

QSize CPictorraView::CanvasSize() const {
    return m_doc.m_pBelowCache ? m_doc.m_pBelowCache->Size() : QSize();
}

QSize CPictorraView::sizeHint() const {
    const QSize canvas = CanvasSize();
    const int frame = 2 * frameWidth();
    return canvas.isEmpty() ? QAbstractScrollArea::sizeHint()
                            : QSize(ClampToInt(canvas.width() * double(m_fZoom)) + frame,
                                    ClampToInt(canvas.height() * double(m_fZoom)) + frame);
}

// --- Zoom and scrolling -------------------------------------------------------------------

void CPictorraView::OnInitialUpdate() {
    UpdateScrollAndTitle();
    UpdateOrigin();
    m_bInitialUpdateDone = true;
}

void CPictorraView::UpdateScrollAndTitle() {
    const QSize canvas = CanvasSize();
    // In 64 bits: a zoomed canvas may be wider than an int holds; the scroll bars stop at
    // what they can carry.
    const double w = std::floor(double(m_fZoom) * canvas.width());
    const double h = std::floor(double(m_fZoom) * canvas.height());
    const QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, ClampToInt(std::max(0.0, w - page.width())));
    horizontalScrollBar()->setPageStep(std::max(1, page.width()));
    horizontalScrollBar()->setSingleStep(std::max(1, page.width() / 10));
    verticalScrollBar()->setRange(0, ClampToInt(std::max(0.0, h - page.height())));
    verticalScrollBar()->setPageStep(std::max(1, page.height()));
    verticalScrollBar()->setSingleStep(std::max(1, page.height() / 10));
    m_frame.SetCaption(QStringLiteral("%1[*]  Scale: %2%")
                           .arg(m_doc.GetTitle())
                           .arg(int(double(m_fZoom) * 100.0 + 1e-4)));
}

void CPictorraView::UpdateOrigin() {
    const QSize canvas = CanvasSize();
    if (canvas.isEmpty()) {
        return;
    }
    const QSize client = viewport()->size();
    m_fOriginX = std::max(0.0f, (float(client.width()) - m_fZoom * float(canvas.width())) / 2);
    m_fOriginY = std::max(0.0f, (float(client.height()) - m_fZoom * float(canvas.height())) / 2);
}

void CPictorraView::ZoomIn() {
    SetZoom(ZoomInStep(m_fZoom));
}

void CPictorraView::ZoomOut() {
    SetZoom(ZoomOutStep(m_fZoom));
}

void CPictorraView::SetZoom(float zoom, std::optional<QPoint> anchor) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    const QPoint at = anchor.value_or(viewport()->rect().center());
    const ScreenMapping before = Mapping();
    const double ix = (at.x() - before.originX) / before.zoom;
    const double iy = (at.y() - before.originY) / before.zoom;
    m_fZoom = zoom;
    UpdateScrollAndTitle();
    UpdateOrigin();
    ScrollTo(QPoint(ClampToInt(ix * zoom + int(m_fOriginX) - at.x()),
                    ClampToInt(iy * zoom + int(m_fOriginY) - at.y())));
    PlaceCaret();
    InvalidateImage();
}

void CPictorraView::ChooseFirstZoom(int mainClientWidth) {
    const QSize canvas = CanvasSize();
    if (canvas.isEmpty()) {
        return;
    }
    int counter = m_nFitCounter;
    const float zoom = FirstZoom(m_fZoom, counter, mainClientWidth - 370, canvas.width());
    if (zoom != m_fZoom) {
        m_fZoom = zoom;
        m_nFitCounter = counter;
        UpdateScrollAndTitle();
        UpdateOrigin();
        PlaceCaret();
        InvalidateImage();
    }
}

void CPictorraView::ZoomToRegion(const QRect& layerRect) {
    const CLayerFrame* layer = m_doc.ActiveLayer();
    if (!layer) {
        return;
    }
    const QRect r = layerRect.normalized().translated(layer->m_nOffsetX, layer->m_nOffsetY);
    const QSize client = viewport()->size();
    const float zoom = std::min(float(client.width()) / float(std::max(1, r.width())),
                                float(client.height()) / float(std::max(1, r.height())));
    m_fZoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    UpdateScrollAndTitle();
    UpdateOrigin();
    // The region in the middle of the window.
    const QPointF centre = QRectF(r).center() * double(m_fZoom);
    ScrollTo(QPoint(std::max(0, ClampToInt(centre.x() - client.width() / 2.0)),
                    std::max(0, ClampToInt(centre.y() - client.height() / 2.0))));
    PlaceCaret();
    InvalidateImage();
}

void CPictorraView::ScrollTo(QPoint position) {
    horizontalScrollBar()->setValue(position.x());
    verticalScrollBar()->setValue(position.y());
}

QPoint CPictorraView::ScrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CPictorraView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollAndTitle();
    UpdateOrigin();
    PlaceCaret();
    viewport()->update();
}

void CPictorraView::scrollContentsBy(int, int) {
    // The checkerboard stays put while the picture moves over it: everything shown changes.
    PlaceCaret();
    viewport()->update();
}

void CPictorraView::PlaceCaret() {
    if (CTool* tool = CurrentToolObject()) {
        tool->OnViewChanged(*this);
    }
}

// --- Coordinates --------------------------------------------------------------------------

ScreenMapping CPictorraView::Mapping() const {
    ScreenMapping map;
    map.zoom = double(m_fZoom);
    map.originX = int(m_fOriginX) - horizontalScrollBar()->value();
    map.originY = int(m_fOriginY) - verticalScrollBar()->value();
    return map;
}

QRect CPictorraView::ImageToClient(const QRect& imageRect) const {
    const ScreenMapping map = Mapping();
    const double z = map.zoom;
    const int left = ClampToInt(std::floor(imageRect.left() * z) + map.originX);
    const int top = ClampToInt(std::floor(imageRect.top() * z) + map.originY);
    const int right = ClampToInt(std::ceil((double(imageRect.right()) + 1) * z) + map.originX);
    const int bottom = ClampToInt(std::ceil((double(imageRect.bottom()) + 1) * z) + map.originY);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QPoint CPictorraView::ClientToImage(QPoint client) const {
    const ScreenMapping map = Mapping();
    return {map.ImageX(client.x()), map.ImageY(client.y())};
}

QPoint CPictorraView::ClientToLayer(QPoint client) const {
    const QPoint image = ClientToImage(client);
    const CLayerFrame* layer = m_doc.ActiveLayer();
    return layer ? image - QPoint(layer->m_nOffsetX, layer->m_nOffsetY) : image;
}

QPoint CPictorraView::LayerToClient(QPoint layerPoint) const {
    const CLayerFrame* layer = m_doc.ActiveLayer();
    const QPoint image =
        layer ? layerPoint + QPoint(layer->m_nOffsetX, layer->m_nOffsetY) : layerPoint;
    const ScreenMapping map = Mapping();
    return {ClampToInt(std::floor(image.x() * map.zoom) + map.originX),
            ClampToInt(std::floor(image.y() * map.zoom) + map.originY)};
}

QRect CPictorraView::CanvasOnScreen() const {
    const QSize canvas = CanvasSize();
    return canvas.isEmpty() ? QRect() : ImageToClient(QRect(QPoint(0, 0), canvas));
}

// --- Repainting ---------------------------------------------------------------------------

void CPictorraView::InvalidateImageRect(const QRect& imageRect) {
    // Below zoom 1 a window pixel mixes its neighbours' image pixels too.
    const int margin = m_fZoom < 1.0f ? 1 : 0;
    viewport()->update(ImageToClient(imageRect).adjusted(-margin, -margin, margin, margin) &
                       CanvasOnScreen());
}

void CPictorraView::InvalidateClientRect(const QRect& clientRect) {
    viewport()->update(clientRect);
}

void CPictorraView::InvalidateImage() {
    viewport()->update();
}

int CPictorraView::ShownLayerNumber() const {
    return m_frame.IsFrameActive() ? m_doc.ActiveLayerNumber() : m_doc.m_nSavedActiveLayer;
}

Bitmap& CPictorraView::ScreenBuffer(QSize size) {
    if (!m_pScreenBuffer || m_pScreenBuffer->Size() != size) {
        m_pScreenBuffer = Bitmap::Create(size.width(), size.height());
    }
    return *m_pScreenBuffer;
}

// --- For the tools ------------------------------------------------------------------------

void CPictorraView::SetStatusText(const QString& text) {
    m_strStatus = text;
    m_frame.SetStatusText(text);
}

void CPictorraView::StartToolTimer(int id, int milliseconds) {
    m_toolTimers[id].start(milliseconds, this);
}

void CPictorraView::KillToolTimer(int id) {
    if (auto it = m_toolTimers.find(id); it != m_toolTimers.end()) {
        it->second.stop();
    }
}

bool CPictorraView::IsToolTimerRunning(int id) const {
    const auto it = m_toolTimers.find(id);
    return it != m_toolTimers.end() && it->second.isActive();
}

void CPictorraView::timerEvent(QTimerEvent* event) {
    for (auto& [id, timer] : m_toolTimers) {
        if (timer.timerId() == event->timerId()) {
            if (CTool* tool = CurrentToolObject()) {
                CToolEvent ev = MakeEvent(m_ptCurrent, m_bRightDrag && !m_bLeftDrag);
                tool->OnTimer(ev, id);
            }
            return;
        }
    }
    QAbstractScrollArea::timerEvent(event);
}

void CPictorraView::DiscardPolyline() {
    m_arrPathPoints.clear();
    m_arrAnchors.clear();
    m_nEditAnchor = 0;
}

void CPictorraView::FinishTextEntry() {
    if (CTool* tool = m_tools.ToolFor(ToolText)) {
        tool->FinishTextEntry(*this);
    }
}

void CPictorraView::MoveTextEntry(int dx, int dy) {
    if (CTool* tool = m_tools.ToolFor(ToolText)) {
        tool->MoveTextEntry(*this, dx, dy);
    }
}

void CPictorraView::ChooseTextFont() {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, m_TextFont, this, QStringLiteral("Font"));
    if (ok) {
        m_TextFont = chosen;
    }
}
