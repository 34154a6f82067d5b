#include "view/PictorraView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

#include "document/PictorraDoc.h"
#include "platform/Bitmap.h"
#include "view/ScreenCompose.h"
#include "view/ViewFrame.h"

CPictorraView::CPictorraView(CPictorraDoc& doc, CViewFrame& frame, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_frame(frame) {
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
}

CPictorraView::~CPictorraView() = default;

QSize CPictorraView::CanvasSize() const {
    return m_doc.m_pBelowCache ? m_doc.m_pBelowCache->Size() : QSize();
}

QSize CPictorraView::sizeHint() const {
    const QSize canvas = CanvasSize();
    const int frame = 2 * frameWidth();
    return canvas.isEmpty() ? QAbstractScrollArea::sizeHint()
                            : QSize(int(canvas.width() * m_fZoom) + frame,
                                    int(canvas.height() * m_fZoom) + frame);
}

void CPictorraView::OnInitialUpdate() {
    UpdateScrollAndTitle();
    UpdateOrigin();
}

void CPictorraView::UpdateScrollAndTitle() {
    const QSize canvas = CanvasSize();
    const int w = int(m_fZoom * float(canvas.width()));
    const int h = int(m_fZoom * float(canvas.height()));
    const QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, w - page.width()));
    horizontalScrollBar()->setPageStep(page.width());
    horizontalScrollBar()->setSingleStep(std::max(1, page.width() / 10));
    verticalScrollBar()->setRange(0, std::max(0, h - page.height()));
    verticalScrollBar()->setPageStep(page.height());
    verticalScrollBar()->setSingleStep(std::max(1, page.height() / 10));
    m_frame.SetCaption(
        QStringLiteral("%1[*]  Scale: %2%").arg(m_doc.GetTitle()).arg(int(m_fZoom * 100.0f)));
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

QRect CPictorraView::ImageToClient(const QRect& imageRect) const {
    const int sx = horizontalScrollBar()->value(), sy = verticalScrollBar()->value();
    const int left = int(std::floor(float(imageRect.left()) * m_fZoom) + m_fOriginX) - sx;
    const int top = int(std::floor(float(imageRect.top()) * m_fZoom) + m_fOriginY) - sy;
    const int right = int(std::ceil(float(imageRect.right() + 1) * m_fZoom) + m_fOriginX) - sx;
    const int bottom = int(std::ceil(float(imageRect.bottom() + 1) * m_fZoom) + m_fOriginY) - sy;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QPoint CPictorraView::ClientToImage(QPoint client) const {
    const int sx = horizontalScrollBar()->value(), sy = verticalScrollBar()->value();
    return {int((float(client.x()) - m_fOriginX + float(sx)) / m_fZoom),
            int((float(client.y()) - m_fOriginY + float(sy)) / m_fZoom)};
}

QRect CPictorraView::CanvasOnScreen() const {
    const QSize canvas = CanvasSize();
    return canvas.isEmpty() ? QRect() : ImageToClient(QRect(QPoint(0, 0), canvas));
}

void CPictorraView::InvalidateImageRect(const QRect& imageRect) {
    viewport()->update(ImageToClient(imageRect) & CanvasOnScreen());
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

void CPictorraView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QColor face = palette().color(QPalette::Window);
    const QRect canvas = m_doc.LayerCount() > 0 ? CanvasOnScreen() : QRect();
    const QRect shown = event->rect() & canvas;

    // The window's background around the picture.
    QRegion margins(event->rect());
    margins -= QRegion(shown);
    for (const QRect& r : margins) {
        painter.fillRect(r, face);
    }
    m_rcLastComposed = QRect();
    if (shown.isEmpty() || !Bitmap::IsAcceptableSize(shown.width(), shown.height())) {
        return;
    }

    // Zoom 1: window pixel (x, y) shows image pixel (x, y) - canvas.topLeft().
    Bitmap& buffer = ScreenBuffer(shown.size());
    const QPoint imageTopLeft = shown.topLeft() - canvas.topLeft();
    const QPoint checkerPhase(shown.left() - int(m_fOriginX), shown.top() - int(m_fOriginY));
    ComposeForScreen(buffer, imageTopLeft, checkerPhase, ImagesToShow(m_doc, ShownLayerNumber()));
    const QImage opaque(buffer.Bits(), buffer.Width(), buffer.Height(), buffer.Stride(),
                        QImage::Format_RGB32);
    painter.drawImage(shown.topLeft(), opaque);
    m_rcLastComposed = shown;
}

void CPictorraView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollAndTitle();
    UpdateOrigin();
    viewport()->update();
}

void CPictorraView::scrollContentsBy(int, int) {
    // The checkerboard stays put while the picture moves over it: everything shown changes.
    viewport()->update();
}
