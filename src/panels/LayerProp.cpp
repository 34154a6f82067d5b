#include "panels/LayerProp.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "document/PictorraDoc.h"

CLayerProp::CLayerProp(CPictorraDoc& doc, CLayerFrame& layer, QWidget* parent)
    : QDialog(parent),
      m_doc(doc),
      m_layer(layer),
      m_bOldVisible(layer.m_bVisible),
      m_nOldOpacity(layer.m_nOpacity) {
    setWindowTitle(QStringLiteral("Layer Options"));
    setWindowIcon(QApplication::windowIcon());
    m_pSlider = new QSlider(Qt::Horizontal, this);
    m_pSlider->setRange(0, 100);
    m_pSlider->setValue(layer.m_nOpacity);
    m_pValue = new QLabel(QString::asprintf("%d", layer.m_nOpacity), this);
    m_pValue->setMinimumWidth(m_pValue->fontMetrics().horizontalAdvance(QStringLiteral("100")));
    m_pVisible = new QCheckBox(QStringLiteral("Visible"), this);
    m_pVisible->setChecked(layer.m_bVisible);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* row = new QHBoxLayout;
    row->addWidget(m_pSlider, 1);
    row->addWidget(m_pValue);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_pVisible);
    layout->addWidget(buttons);

    connect(m_pSlider, &QSlider::valueChanged, this, [this](int value) {
        m_pValue->setText(QString::asprintf("%d", value));
        m_doc.SetLayerOpacity(&m_layer, value);
    });
    connect(m_pVisible, &QCheckBox::toggled, this,
            [this](bool visible) { m_doc.SetLayerVisible(&m_layer, visible); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CLayerProp::reject() {
    m_layer.m_bVisible = m_bOldVisible;
    m_doc.SetLayerOpacity(&m_layer, m_nOldOpacity);
    QDialog::reject();
}
