#pragma once

#include <QDockWidget>
#include <QPointer>
#include <QWidget>
#include <vector>

class CLayerFrame;
class CLayerTile;
class CPictorraDoc;
class QScrollBar;

// The layers panel: a dock captioned "Layers" listing the layers of the active document as
// tiles of 60 pixels, index 0 of the stack at the top: each with a thumbnail (framed red on the
// active layer) and a "V" check box for the visibility. A click makes a layer active, a drag
// moves it to the gap between tiles under the grey marker, a right click opens the layer
// menu, a double click the layer options. The panel holds the active layer number that every
// document points at (the number belongs to the program, not to one document).
class CLayerDialog : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kTileHeight = 60;
    static constexpr int kTileWidth = 110;
    static constexpr int kPanelWidth = 130;
    static constexpr int kFloatingHeight = 420;

    explicit CLayerDialog(QWidget* parent = nullptr);
    ~CLayerDialog() override;

    // The integer every document's m_pActiveLayerNumber points at.
    int* ActiveNumberStore() { return &m_nActiveNumber; }
    int ActiveNumber() const { return m_nActiveNumber; }

    // The document whose stack the panel shows (null: none is open).
    void SetDocument(CPictorraDoc* doc);
    CPictorraDoc* Document() const { return m_pDoc; }
    // From the document: what changed (DocChange flags).
    void OnDocumentChanged(CPictorraDoc& doc, unsigned changes);

    // Makes the tiles again from the stack, keeping the scroll position where it can.
    void Refill();
    // Repaints the tiles (thumbnails, frames) and re-reads the check boxes.
    void Sync();

    // The scroll position in whole tiles, and its range (0 .. ScrollMaximum()).
    int ScrollPosition() const;
    int ScrollMaximum() const;
    void SetScrollPosition(int tiles);
    // The gap a drop at panel point y (window pixels of the tile area) lands in: the boundary
    // nearest to it, 0 .. the layer count.
    int GapAt(int y) const;
    bool IsDragging() const { return m_bDragging; }
    int DropGap() const { return m_nDropGap; }
    // The tiles' area and the tile of the stack index (null outside the stack).
    QWidget* TileArea() const { return m_pTileArea; }
    CLayerTile* Tile(int index) const;

    // The layer options of layer (live, Cancel restores); true when accepted.
    bool OpenLayerOptions(CLayerFrame* layer);

    // From the tiles.
    void OnTilePressed(int index);
    void OnTileRightPressed(int index, QPoint globalPos);
    void OnTileDoubleClicked(int index);
    void OnTileVisibilityClicked(int index);
    void OnDragMove(QPoint areaPos);
    void OnDragRelease();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class CLayerTileArea;
    void UpdateScrollBar();
    void PlaceTiles();
    // Activates the layer of the tile and drops any selection (a click or right click on it).
    void ActivateTile(int index);
    void RepaintView();

    int m_nActiveNumber = 0;
    CPictorraDoc* m_pDoc = nullptr;
    QWidget* m_pTileArea;
    QScrollBar* m_pScrollBar;
    std::vector<CLayerTile*> m_tiles;
    bool m_bDragging = false;
    int m_nDropGap = 0;
};
