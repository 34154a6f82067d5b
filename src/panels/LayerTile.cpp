#include "panels/LayerTile.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QPainter>

#include "document/LayerThumbnail.h"
#include "document/PictorraDoc.h"
#include "panels/LayerDialog.h"

namespace {
const QRect kThumbnailFrame(QPoint(4, 4), QPoint(76, 56));
const QRect kThumbnail(5, 5, 70, 50);
const QColor kDropMarker(128, 128, 128);
}  // namespace

CLayerTile::CLayerTile(CLayerDialog& panel, int index, QWidget* parent)
    : QWidget(parent), m_panel(panel), m_nIndex(index) {
    setFixedSize(CLayerDialog::kTileWidth, CLayerDialog::kTileHeight);
    m_pVisible = new QCheckBox(QStringLiteral("V"), this);
    m_pVisible->setGeometry(80, 20, 30, 20);
    m_pVisible->setFocusPolicy(Qt::NoFocus);
    SyncVisibility();
    connect(m_pVisible, &QCheckBox::clicked, this,
            [this] { m_panel.OnTileVisibilityClicked(m_nIndex); });
}

void CLayerTile::SyncVisibility() {
    const CPictorraDoc* doc = m_panel.Document();
    const CLayerFrame* layer = doc ? doc->Layer(m_nIndex + 1) : nullptr;
    const QSignalBlocker block(m_pVisible);
    m_pVisible->setChecked(layer && layer->m_bVisible);
}

void CLayerTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const CPictorraDoc* doc = m_panel.Document();
    const CLayerFrame* layer = doc ? doc->Layer(m_nIndex + 1) : nullptr;
    if (!layer) {
        return;
    }
    const bool active = layer->m_nNumber == m_panel.ActiveNumber();
    painter.setPen(QPen(active ? QColor(255, 0, 0) : palette().color(QPalette::Window), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(kThumbnailFrame.adjusted(0, 0, -1, -1));

    // A 70 x 50 copy of what the window shows of the layer, a lifted selection included.
    const QImage thumbnail = MakeLayerThumbnail(*doc, *layer, kThumbnail.size());
    painter.drawImage(kThumbnail.topLeft(), thumbnail);

    // The drop marker along this tile's top or bottom edge.
    if (m_panel.IsDragging()) {
        const int gap = m_panel.DropGap();
        painter.setPen(Qt::NoPen);
        painter.setBrush(kDropMarker);
        if (gap == m_nIndex) {
            painter.drawRect(0, 0, 80, 1);
        } else if (gap == m_nIndex + 1) {
            painter.drawRect(0, height() - 1, 80, 1);
        }
    }
}

void CLayerTile::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_panel.OnTilePressed(m_nIndex);
    } else if (event->button() == Qt::RightButton) {
        m_panel.OnTileRightPressed(m_nIndex, event->globalPosition().toPoint());
    }
}

void CLayerTile::mouseMoveEvent(QMouseEvent* event) {
    if (m_panel.IsDragging()) {
        m_panel.OnDragMove(mapTo(m_panel.TileArea(), event->position().toPoint()));
    }
}

void CLayerTile::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_panel.IsDragging()) {
        m_panel.OnDragMove(mapTo(m_panel.TileArea(), event->position().toPoint()));
        m_panel.OnDragRelease();
    }
}

void CLayerTile::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_panel.OnTileDoubleClicked(m_nIndex);
    }
}
