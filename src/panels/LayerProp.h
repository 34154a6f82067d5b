#pragma once

#include <QDialog>

class CLayerFrame;
class CPictorraDoc;
class QCheckBox;
class QLabel;
class QSlider;

// "Layer Options": the opacity (0..100) and the visibility of one layer, changed live while
// the dialog is open. Cancel (or closing the window) puts both back as they were.
class CLayerProp : public QDialog {
    Q_OBJECT
public:
    CLayerProp(CPictorraDoc& doc, CLayerFrame& layer, QWidget* parent = nullptr);

    QSlider* OpacitySlider() const { return m_pSlider; }
    QCheckBox* VisibleBox() const { return m_pVisible; }
    QLabel* ValueLabel() const { return m_pValue; }

    void reject() override;

private:
    CPictorraDoc& m_doc;
    CLayerFrame& m_layer;
    int m_bOldVisible;
    int m_nOldOpacity;
    QSlider* m_pSlider;
    QCheckBox* m_pVisible;
    QLabel* m_pValue;
};
