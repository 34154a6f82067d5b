#include "effects/ColorFilterDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kMode = CColorFilterDlg::kBounds;  // the value after the six bounds

const char* const kBoundNames[CColorFilterDlg::kBounds] = {"rmin", "rmax", "gmin",
                                                           "gmax", "bmin", "bmax"};

bool IsMinimum(int bound) {
    return bound % 2 == 0;
}

// A typed bound: a number, those above 255 taken as 255 and those below 1 (or no number at
// all) as 0.
int TypedBound(const QString& text) {
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 1) {
        return 0;
    }
    return int(std::min<long long>(value, 255));
}

}  // namespace

CColorFilterDlg::CColorFilterDlg(std::vector<int> values, const EffectContext& context,
                                 QWidget* parent)
    : CEffectDlg(*FindEffect(QStringLiteral("color-filter")), std::move(values), parent),
      m_uDefaultColor(context.primary),
      m_uEraseColor(context.secondary) {
    auto* channels = new QHBoxLayout;
    const char* const channelNames[] = {"Red", "Green", "Blue"};
    for (int c = 0; c < 3; ++c) {
        auto* group = new QGroupBox(QString::fromLatin1(channelNames[c]), this);
        auto* grid = new QGridLayout(group);
        grid->addWidget(new QLabel(QStringLiteral("Min"), group), 0, 0, Qt::AlignHCenter);
        grid->addWidget(new QLabel(QStringLiteral("Max"), group), 0, 1, Qt::AlignHCenter);
        for (int k = 0; k < 2; ++k) {
            const int bound = 2 * c + k;
            auto* slider = new QSlider(Qt::Vertical, group);
            slider->setObjectName(QString::fromLatin1(kBoundNames[bound]));
            slider->setRange(0, 255);
            slider->setMinimumHeight(160);
            auto* edit = new QLineEdit(group);
            edit->setObjectName(QString::fromLatin1(kBoundNames[bound]) + QStringLiteral("Edit"));
            edit->setMaxLength(6);
            edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
            m_sliders[size_t(bound)] = slider;
            m_edits[size_t(bound)] = edit;
            grid->addWidget(slider, 1, k, Qt::AlignHCenter);
            grid->addWidget(edit, 2, k, Qt::AlignHCenter);
            connect(slider, &QSlider::valueChanged, this, [this] { OnSliderChanged(); });
            connect(edit, &QLineEdit::textChanged, this,
                    [this, bound](const QString& text) { OnEditChanged(bound, text); });
        }
        channels->addWidget(group);
    }

    m_pKeep = new QRadioButton(QStringLiteral("Keep color"), this);
    m_pKeep->setObjectName(QStringLiteral("keep"));
    m_pErase = new QRadioButton(QStringLiteral("Erase color"), this);
    m_pErase->setObjectName(QStringLiteral("erase"));
    auto* modes = new QButtonGroup(this);
    modes->addButton(m_pKeep, ColorFilterParams::Keep);
    modes->addButton(m_pErase, ColorFilterParams::Erase);
    (Value(kMode) == ColorFilterParams::Erase ? m_pErase : m_pKeep)->setChecked(true);
    connect(modes, &QButtonGroup::idClicked, this, [this](int mode) {
        SetValue(kMode, mode);
        Changed();
    });

    auto* side = new QVBoxLayout;
    side->addWidget(m_pKeep);
    side->addWidget(m_pErase);
    side->addSpacing(8);
    auto addButton = [this, side](const char* text, const char* name,
                                  const std::function<void(ColorFilterParams&)>& change) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        side->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, change] {
            ColorFilterParams params = Params();
            change(params);
            SetParams(params);
            Changed();
        });
    };
    addButton("Default color", "defaultColor", [this](ColorFilterParams& p) {
        const ColorFilterParams d = ColorFilterParams::FromColors(m_uDefaultColor, m_uEraseColor);
        p.redMin = p.redMax = d.redMin;
        p.greenMin = p.greenMax = d.greenMin;
        p.blueMin = p.blueMax = d.blueMin;
    });
    addButton("Increase on 5", "increase5",
              [](ColorFilterParams& p) { ColorFilterIncrease(p, 5); });
    addButton("Decrease on 5", "decrease5",
              [](ColorFilterParams& p) { ColorFilterDecrease(p, 5); });
    addButton("Increase on 10", "increase10",
              [](ColorFilterParams& p) { ColorFilterIncrease(p, 10); });
    addButton("Decrease on 10", "decrease10",
              [](ColorFilterParams& p) { ColorFilterDecrease(p, 10); });
    side->addSpacing(8);
    m_pSynchronous = new QCheckBox(QStringLiteral("Synchronously"), this);
    m_pSynchronous->setObjectName(QStringLiteral("synchronously"));
    side->addWidget(m_pSynchronous);
    side->addStretch();

    auto* content = new QHBoxLayout;
    content->addLayout(channels);
    content->addLayout(side);
    SetContent(content);
    // The session filtered the picture with the opening values already.
    Synchronize();
}

ColorFilterParams CColorFilterDlg::Params() const {
    ColorFilterParams p;
    p.redMin = Value(0);
    p.redMax = Value(1);
    p.greenMin = Value(2);
    p.greenMax = Value(3);
    p.blueMin = Value(4);
    p.blueMax = Value(5);
    p.mode = Value(kMode);
    p.eraseColor = m_uEraseColor;
    return p;
}

void CColorFilterDlg::SetParams(const ColorFilterParams& p) {
    const int bounds[kBounds] = {p.redMin, p.redMax, p.greenMin, p.greenMax, p.blueMin, p.blueMax};
    for (int b = 0; b < kBounds; ++b) {
        SetValue(size_t(b), std::clamp(bounds[b], 0, 255));
    }
    SetValue(kMode, p.mode);
}

void CColorFilterDlg::Synchronize() {
    for (int b = 0; b < kBounds; ++b) {
        const int value = Value(size_t(b));
        QLineEdit* edit = m_edits[size_t(b)];
        const QString text = QString::number(value);
        if (edit->text() != text) {
            const QSignalBlocker blocker(edit);
            edit->setText(text);
        }
        QSlider* slider = m_sliders[size_t(b)];
        if (slider->value() != value) {
            const QSignalBlocker blocker(slider);
            slider->setValue(value);
        }
    }
}

void CColorFilterDlg::OnEditChanged(int bound, const QString& text) {
    ColorFilterParams params = Params();
    const int channel = bound / 2;
    if (IsMinimum(bound)) {
        ColorFilterSetMinimum(params, channel, TypedBound(text));
    } else {
        ColorFilterSetMaximum(params, channel, TypedBound(text));
    }
    SetParams(params);
    Changed();
}

void CColorFilterDlg::OnSliderChanged() {
    // The first slider, in the order of the bounds, that left its bound is the one moved.
    for (int b = 0; b < kBounds; ++b) {
        const int position = m_sliders[size_t(b)]->value();
        const int old = Value(size_t(b));
        if (position == old) {
            continue;
        }
        if (m_pSynchronous->isChecked()) {
            // The same bound of the two other channels moves by as much.
            for (int other = b % 2; other < kBounds; other += 2) {
                if (other != b) {
                    SetValue(size_t(other),
                             std::clamp(Value(size_t(other)) + position - old, 0, 255));
                }
            }
        }
        SetValue(size_t(b), position);
        break;
    }
    Changed();
}

void CColorFilterDlg::Changed() {
    Synchronize();
    NotifyChanged();
}
