#include "view/HueSelectDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

CHueSelectDlg::CHueSelectDlg(QWidget* parent) : QDialog(parent), m_pRange(new QSpinBox(this)) {
    setWindowTitle(QStringLiteral("Hue Selection"));
    setModal(false);
    m_pRange->setRange(0, kMaxRange);
    m_pRange->setValue(0);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Range:"), m_pRange);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(m_pRange, &QSpinBox::valueChanged, this, [this](int range) {
        if (m_onRangeChanged) {
            m_onRangeChanged(range);
        }
    });
}

int CHueSelectDlg::Range() const {
    return m_pRange->value();
}

void CHueSelectDlg::SetRange(int range) {
    m_pRange->setValue(range);
}
