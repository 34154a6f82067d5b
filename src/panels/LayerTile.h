#pragma once

#include <QWidget>

class CLayerDialog;
class QCheckBox;

// The tile of one layer in the layers panel: the layer's thumbnail stretched into 70 x 50
// pixels in a frame, red while it is the active layer, and the "V" visibility box. The tile
// knows its layer by its index in the stack shown and reads it at every paint.
class CLayerTile : public QWidget {
    Q_OBJECT
public:
    CLayerTile(CLayerDialog& panel, int index, QWidget* parent);

    int Index() const { return m_nIndex; }
    QCheckBox* VisibleBox() const { return m_pVisible; }
    // Re-reads the layer's visibility into the box.
    void SyncVisibility();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    CLayerDialog& m_panel;
    int m_nIndex;
    QCheckBox* m_pVisible;
};
