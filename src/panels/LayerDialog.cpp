#include "panels/LayerDialog.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "document/PictorraDoc.h"
#include "panels/LayerProp.h"
#include "panels/LayerTile.h"

// The area the tiles lie in: it takes the drag once the mouse leaves the tile it began on.
class CLayerTileArea : public QWidget {
public:
    explicit CLayerTileArea(CLayerDialog& panel) : m_panel(panel) {}

protected:
    void mouseMoveEvent(QMouseEvent* event) override {
        if (m_panel.IsDragging()) {
            m_panel.OnDragMove(event->position().toPoint());
        }
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && m_panel.IsDragging()) {
            m_panel.OnDragMove(event->position().toPoint());
            m_panel.OnDragRelease();
        }
    }

private:
    CLayerDialog& m_panel;
};

CLayerDialog::CLayerDialog(QWidget* parent) : QDockWidget(QStringLiteral("Layers"), parent) {
    setObjectName(QStringLiteral("Layers"));
    auto* body = new QWidget(this);
    auto* layout = new QHBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pTileArea = new CLayerTileArea(*this);
    m_pTileArea->setFixedWidth(kTileWidth);
    m_pScrollBar = new QScrollBar(Qt::Vertical, body);
    m_pScrollBar->setSingleStep(1);
    m_pScrollBar->setPageStep(1);
    layout->addWidget(m_pTileArea);
    layout->addWidget(m_pScrollBar);
    layout->addStretch();
    body->setFixedWidth(kPanelWidth);
    body->setMinimumHeight(kTileHeight);
    setWidget(body);
    connect(m_pScrollBar, &QScrollBar::valueChanged, this, [this] { PlaceTiles(); });
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating) {
            resize(width(), kFloatingHeight);
        }
    });
    UpdateScrollBar();
}

CLayerDialog::~CLayerDialog() = default;

void CLayerDialog::SetDocument(CPictorraDoc* doc) {
    if (doc != m_pDoc) {
        m_pDoc = doc;
        m_bDragging = false;
        Refill();
    }
}

void CLayerDialog::OnDocumentChanged(CPictorraDoc& doc, unsigned changes) {
    if (&doc != m_pDoc) {
        return;
    }
    if ((changes & kChangeStack) || int(m_tiles.size()) != doc.LayerCount()) {
        Refill();
    } else if (changes & (kChangeActiveLayer | kChangeCaches | kChangeThumbnails)) {
        Sync();
    }
}

CLayerTile* CLayerDialog::Tile(int index) const {
    return index >= 0 && size_t(index) < m_tiles.size() ? m_tiles[size_t(index)] : nullptr;
}

void CLayerDialog::Refill() {
    const int position = ScrollPosition();
    // A tile may be the one whose click led here: it goes once its event is over.
    for (CLayerTile* tile : m_tiles) {
        tile->hide();
        tile->deleteLater();
    }
    m_tiles.clear();
    const int count = m_pDoc ? m_pDoc->LayerCount() : 0;
    for (int i = 0; i < count; ++i) {
        auto* tile = new CLayerTile(*this, i, m_pTileArea);
        m_tiles.push_back(tile);
    }
    UpdateScrollBar();
    SetScrollPosition(position);
    PlaceTiles();
    for (CLayerTile* tile : m_tiles) {
        tile->show();
    }
    update();
}

void CLayerDialog::Sync() {
    for (CLayerTile* tile : m_tiles) {
        tile->SyncVisibility();
        tile->update();
    }
}

int CLayerDialog::ScrollPosition() const {
    return m_pScrollBar->isVisible() || m_pScrollBar->maximum() > 0 ? m_pScrollBar->value() : 0;
}

int CLayerDialog::ScrollMaximum() const {
    return m_pScrollBar->maximum();
}

void CLayerDialog::SetScrollPosition(int tiles) {
    m_pScrollBar->setValue(std::clamp(tiles, 0, m_pScrollBar->maximum()));
}

void CLayerDialog::UpdateScrollBar() {
    const int count = int(m_tiles.size());
    const int height = m_pTileArea->height();
    // Whole tiles: the range counts the tiles that do not fit, the one cut at the bottom
    // included, so that the last tile can always be shown whole.
    const bool needed = count * kTileHeight > height;
    const int range = needed ? (count * kTileHeight - height + kTileHeight - 1) / kTileHeight : 0;
    m_pScrollBar->setRange(0, range);
    m_pScrollBar->setVisible(needed);
}

void CLayerDialog::PlaceTiles() {
    const int offset = ScrollPosition() * kTileHeight;
    for (size_t i = 0; i < m_tiles.size(); ++i) {
        m_tiles[i]->move(0, int(i) * kTileHeight - offset);
    }
}

void CLayerDialog::resizeEvent(QResizeEvent* event) {
    QDockWidget::resizeEvent(event);
    UpdateScrollBar();
    SetScrollPosition(0);
    PlaceTiles();
}

int CLayerDialog::GapAt(int y) const {
    const int content = y + ScrollPosition() * kTileHeight;
    const int count = int(m_tiles.size());
    const int row = content >= 0 ? content / kTileHeight : -1;
    const int within = content - row * kTileHeight;
    const int gap = within <= kTileHeight / 2 ? row : row + 1;
    return std::clamp(gap, 0, count);
}

void CLayerDialog::RepaintView() {
    if (m_pDoc) {
        m_pDoc->Notify(kChangeCaches);
    }
}

void CLayerDialog::ActivateTile(int index) {
    if (!m_pDoc || !m_pDoc->Layer(index + 1)) {
        return;
    }
    // Layer pixels are only ever edited on the active layer: the lifted selection goes back
    // into the layer it came from first.
    m_pDoc->DropSelection();
    m_pDoc->SetActiveLayer(index + 1);
    Sync();
}

void CLayerDialog::OnTilePressed(int index) {
    ActivateTile(index);
    if (!m_pDoc || !m_pDoc->Layer(index + 1)) {
        return;
    }
    m_nDropGap = m_nActiveNumber - 1;
    m_bDragging = true;
    Sync();
}

void CLayerDialog::OnDragMove(QPoint areaPos) {
    const int gap = GapAt(areaPos.y());
    if (gap != m_nDropGap) {
        m_nDropGap = gap;
        Sync();
    }
}

void CLayerDialog::OnDragRelease() {
    m_bDragging = false;
    if (m_pDoc) {
        m_pDoc->MoveLayer(m_nActiveNumber, m_nDropGap);
    }
    Refill();
}

void CLayerDialog::OnTileRightPressed(int index, QPoint globalPos) {
    ActivateTile(index);
    if (!m_pDoc || !m_pDoc->Layer(index + 1)) {
        return;
    }
    CPictorraDoc* doc = m_pDoc;
    QMenu menu(this);
    menu.addAction(QStringLiteral("Add Empty layer"), this, [doc] { doc->AddEmptyLayer(); });
    menu.addAction(QStringLiteral("Add duplicate layer"), this, [doc] { doc->DuplicateLayer(); });
    menu.addAction(QStringLiteral("Delete Layer"), this, [doc] { doc->DeleteLayer(); });
    menu.addSeparator();
    menu.addAction(QStringLiteral("Options..."), this,
                   [this, doc] { OpenLayerOptions(doc->ActiveLayer()); });
    menu.exec(globalPos);
}

void CLayerDialog::OnTileDoubleClicked(int index) {
    if (m_pDoc) {
        OpenLayerOptions(m_pDoc->Layer(index + 1));
    }
}

void CLayerDialog::OnTileVisibilityClicked(int index) {
    if (!m_pDoc) {
        return;
    }
    if (CLayerFrame* layer = m_pDoc->Layer(index + 1)) {
        m_pDoc->SetLayerVisible(layer, !layer->m_bVisible);
    }
    Sync();
}

bool CLayerDialog::OpenLayerOptions(CLayerFrame* layer) {
    if (!m_pDoc || !layer) {
        return false;
    }
    CLayerProp dialog(*m_pDoc, *layer, window());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    Sync();
    return accepted;
}
