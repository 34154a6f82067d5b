#include "panels/SetTransparencyLayerDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSlider>

#include "document/PictorraDoc.h"

CSetTransparencyLayerDlg::CSetTransparencyLayerDlg(CPictorraDoc& doc, CLayerFrame& layer,
                                                   QWidget* parent)
    : QDialog(parent), m_doc(doc), m_layer(layer), m_nOldOpacity(layer.m_nOpacity) {
    setWindowTitle(QStringLiteral("Set Transparency"));
    setWindowIcon(QApplication::windowIcon());
    m_pSlider = new QSlider(Qt::Horizontal, this);
    m_pSlider->setRange(0, 100);
    m_pSlider->setValue(layer.m_nOpacity);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Strength:"), m_pSlider);
    layout->addRow(buttons);
    connect(m_pSlider, &QSlider::valueChanged, this,
            [this](int value) { m_doc.SetLayerOpacity(&m_layer, value); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CSetTransparencyLayerDlg::reject() {
    m_doc.SetLayerOpacity(&m_layer, m_nOldOpacity);
    QDialog::reject();
}

bool RunSetTransparencyLayerDlg(CPictorraDoc& doc, QWidget* parent) {
    CLayerFrame* layer = doc.ActiveLayer();
    if (!layer) {
        return false;
    }
    CSetTransparencyLayerDlg dialog(doc, *layer, parent);
    return dialog.exec() == QDialog::Accepted;
}
