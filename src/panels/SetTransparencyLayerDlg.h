#pragma once

#include <QDialog>

class CLayerFrame;
class CPictorraDoc;
class QSlider;

// "Set Transparency" of the active layer when nothing is lifted: its opacity (0..100) on a
// "Strength:" slider, changed live; Cancel puts the opacity back.
class CSetTransparencyLayerDlg : public QDialog {
    Q_OBJECT
public:
    CSetTransparencyLayerDlg(CPictorraDoc& doc, CLayerFrame& layer, QWidget* parent = nullptr);

    QSlider* StrengthSlider() const { return m_pSlider; }

    void reject() override;

private:
    CPictorraDoc& m_doc;
    CLayerFrame& m_layer;
    int m_nOldOpacity;
    QSlider* m_pSlider;
};

// Runs the dialog for doc's active layer; true when accepted. Does nothing without a layer.
bool RunSetTransparencyLayerDlg(CPictorraDoc& doc, QWidget* parent);
