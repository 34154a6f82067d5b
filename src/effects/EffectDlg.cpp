#include "effects/EffectDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// The text beside a control, as a form shows it.
QString RowText(const QString& label) {
    return label.endsWith(u':') ? label : label + u':';
}

bool IsOnOff(const EffectParameter& p) {
    return p.choices.isEmpty() && p.minimum == 0 && p.maximum == 1;
}

}  // namespace

// --- CEffectDlg -------------------------------------------------------------------------------

CEffectDlg::CEffectDlg(const EffectInfo& effect, std::vector<int> values, QWidget* parent)
    : QDialog(parent), m_effect(effect), m_values(std::move(values)) {
    setWindowTitle(effect.dialogCaption);
    setWindowIcon(QApplication::windowIcon());
    m_values.resize(effect.parameters.size());
    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setObjectName(QStringLiteral("ok"));
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pCancel->setObjectName(QStringLiteral("cancel"));
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    if (effect.flow == EffectFlow::PreviewDialog) {
        m_pPreview = new QPushButton(QStringLiteral("Preview"), this);
        m_pPreview->setObjectName(QStringLiteral("preview"));
        connect(m_pPreview, &QPushButton::clicked, this, [this] {
            if (m_handler) {
                m_handler(m_values);
            }
        });
    }
}

void CEffectDlg::SetContent(QLayout* content) {
    auto* buttons = new QDialogButtonBox(Qt::Horizontal, this);
    buttons->addButton(m_pOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_pCancel, QDialogButtonBox::RejectRole);
    if (m_pPreview) {
        buttons->addButton(m_pPreview, QDialogButtonBox::ActionRole);
    }
    // The controls in a widget of their own, so that a long run can hold them all at once.
    m_pContent = new QWidget(this);
    content->setContentsMargins(0, 0, 0, 0);
    m_pContent->setLayout(content);
    m_pRunRow = new QWidget(this);
    auto* run = new QHBoxLayout(m_pRunRow);
    run->setContentsMargins(0, 0, 0, 0);
    m_pRunProgress = new QProgressBar(m_pRunRow);
    m_pRunProgress->setObjectName(QStringLiteral("runProgress"));
    m_pRunProgress->setRange(0, 100);
    m_pRunCancel = new QPushButton(QStringLiteral("Cancel"), m_pRunRow);
    m_pRunCancel->setObjectName(QStringLiteral("runCancel"));
    m_pRunCancel->setAutoDefault(false);
    connect(m_pRunCancel, &QPushButton::clicked, this, &CEffectDlg::runCancelRequested);
    run->addWidget(m_pRunProgress, 1);
    run->addWidget(m_pRunCancel);
    m_pRunRow->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pContent);
    layout->addWidget(m_pRunRow);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CEffectDlg::ShowRunProgress(bool shown) {
    if (!m_pRunRow) {
        return;
    }
    m_pRunProgress->setValue(0);
    m_pRunRow->setVisible(shown);
    m_pContent->setEnabled(!shown);
    m_pOk->setEnabled(!shown);
    if (m_pPreview) {
        m_pPreview->setEnabled(!shown);
    }
}

void CEffectDlg::SetRunProgress(int percent) {
    if (m_pRunProgress) {
        m_pRunProgress->setValue(percent);
    }
}

void CEffectDlg::NotifyChanged() {
    if (m_handler && m_effect.flow != EffectFlow::PreviewDialog) {
        m_handler(m_values);
    }
}

// --- CSliderEffectDlg -------------------------------------------------------------------------

CSliderEffectDlg::CSliderEffectDlg(const EffectInfo& effect, std::vector<int> values,
                                   QWidget* parent)
    : CEffectDlg(effect, std::move(values), parent) {
    const bool setting = effect.flow == EffectFlow::SettingDialog;
    auto* grid = new QGridLayout;
    m_rows.resize(effect.parameters.size());
    for (size_t i = 0; i < effect.parameters.size(); ++i) {
        const EffectParameter& p = effect.parameters[i];
        const int row = int(i);
        if (IsOnOff(p)) {
            auto* box = new QCheckBox(p.label, this);
            box->setObjectName(p.name);
            box->setChecked(Value(i) != 0);
            connect(box, &QCheckBox::toggled, this, [this, i](bool on) {
                SetValue(i, on ? 1 : 0);
                NotifyChanged();
            });
            grid->addWidget(box, row, 0, 1, 3);
            m_rows[i].check = box;
            continue;
        }
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(p.name);
        slider->setRange(PositionOf(p, p.minimum), PositionOf(p, p.maximum));
        slider->setMinimumWidth(200);
        // A setting dialog records a history entry with every run: one run per move the user
        // makes, not one per pixel of a drag.
        slider->setTracking(!setting);
        if (slider->maximum() - slider->minimum() <= 10) {
            slider->setTickPosition(QSlider::TicksBelow);  // the few sizes there are
        }
        auto* label = new QLabel(this);
        label->setObjectName(p.name + QStringLiteral("Label"));
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
        m_rows[i].slider = slider;
        m_rows[i].label = label;
        slider->setValue(PositionOf(p, Value(i)));
        ShowPosition(i, slider->value());
        connect(slider, &QSlider::sliderMoved, this,
                [this, i](int position) { OnSliderMoved(i, position); });
        connect(slider, &QSlider::valueChanged, this,
                [this, i](int position) { OnSliderChanged(i, position); });
        grid->addWidget(new QLabel(RowText(p.label), this), row, 0);
        grid->addWidget(slider, row, 1);
        grid->addWidget(label, row, 2);
    }
    if (effect.lockSliders) {
        m_pLock = new QCheckBox(QStringLiteral("Lock"), this);
        m_pLock->setObjectName(QStringLiteral("lock"));
        m_pLock->setChecked(true);
        m_bLock = true;
        connect(m_pLock, &QCheckBox::clicked, this, &CSliderEffectDlg::OnLockClicked);
        grid->addWidget(m_pLock, int(m_rows.size()), 1);
    }
    SetContent(grid);
}

int CSliderEffectDlg::PositionOf(const EffectParameter& p, int value) const {
    const int first = Effect().flow == EffectFlow::SettingDialog ? 1 : p.minimum;
    return first + (value - p.minimum) / p.step;
}

int CSliderEffectDlg::ValueAt(const EffectParameter& p, int position) const {
    const int first = Effect().flow == EffectFlow::SettingDialog ? 1 : p.minimum;
    return p.minimum + (position - first) * p.step;
}

void CSliderEffectDlg::ShowPosition(size_t index, int position) {
    QLabel* label = m_rows[index].label;
    if (Effect().flow == EffectFlow::SettingDialog) {
        label->setText(QString::number(ValueAt(Effect().parameters[index], position)));
    } else if (Effect().flow == EffectFlow::LiveAdjustment) {
        label->setText(QStringLiteral("%1%").arg(position));
    } else {
        label->setText(QString::number(position));
    }
}

void CSliderEffectDlg::MoveSlider(size_t index, int position) {
    QSlider* slider = m_rows[index].slider;
    {
        const QSignalBlocker blocker(slider);
        slider->setValue(position);
        slider->setSliderPosition(position);
    }
    SetValue(index, ValueAt(Effect().parameters[index], slider->value()));
    ShowPosition(index, slider->value());
}

void CSliderEffectDlg::OnSliderMoved(size_t index, int position) {
    // While a slider without tracking is dragged its label follows; the value comes on release.
    ShowPosition(index, position);
}

void CSliderEffectDlg::OnSliderChanged(size_t index, int position) {
    if (m_bLock) {
        for (size_t j = 0; j < m_rows.size(); ++j) {
            if (j != index && m_rows[j].slider) {
                MoveSlider(j, position);
            }
        }
    }
    SetValue(index, ValueAt(Effect().parameters[index], position));
    ShowPosition(index, position);
    NotifyChanged();
}

void CSliderEffectDlg::OnLockClicked(bool checked) {
    m_bLock = checked;
    if (!checked || !m_rows.front().slider) {
        return;
    }
    // Locking ties the other sliders to the first one's position at once.
    const int position = m_rows.front().slider->value();
    for (size_t j = 1; j < m_rows.size(); ++j) {
        if (m_rows[j].slider) {
            MoveSlider(j, position);
        }
    }
    NotifyChanged();
}
