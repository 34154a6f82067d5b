#include "panels/ColorDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

constexpr std::array<ColorField, 7> kFields = {
    ColorField::Red,        ColorField::Green, ColorField::Blue, ColorField::Hue,
    ColorField::Saturation, ColorField::Value, ColorField::Hex};

bool IsHsv(ColorField f) {
    return f == ColorField::Hue || f == ColorField::Saturation || f == ColorField::Value;
}

}  // namespace

QString FormatColorField(ColorField field, int value) {
    if (field == ColorField::Hex) {
        return QStringLiteral("%1").arg(value, 6, 16, QLatin1Char('0')).toUpper();
    }
    return QString::number(value);
}

CColorDlg::CColorDlg(uint32_t& color, QWidget* parent) : QDialog(parent), m_color(color) {
    setWindowTitle(QStringLiteral("Color"));
    setWindowIcon(QApplication::windowIcon());

    const CRgbValue rgb = RgbOf(color);
    const CHsvValue hsv = RgbToHsv(rgb);
    m_values = {rgb.r, rgb.g, rgb.b, hsv.h, hsv.s, hsv.v, int(color & 0xFFFFFF)};

    // Keys that can make no number are not taken; a text set some other way is still checked.
    auto* decimal =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,6}")), this);
    auto* hex = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,8}")), this);
    static const char* const kLabels[7] = {"R:", "G:", "B:", "H:", "S:", "V:", "Hex:"};
    auto* grid = new QGridLayout;
    for (ColorField field : kFields) {
        const int i = Index(field);
        auto* edit = new QLineEdit(this);
        edit->setValidator(field == ColorField::Hex ? hex : decimal);
        edit->setMaximumWidth(80);
        edit->setText(FormatColorField(field, m_values[i]));
        edit->installEventFilter(this);
        m_pEdits[i] = edit;
        // RGB in the first column, HSV in the second, hex below.
        const int row = field == ColorField::Hex ? 3 : i % 3;
        const int column = IsHsv(field) ? 2 : 0;
        grid->addWidget(new QLabel(QString::fromLatin1(kLabels[i]), this), row, column);
        grid->addWidget(edit, row, column + 1);
        connect(edit, &QLineEdit::textChanged, this, [this, field] { OnTextChanged(field); });
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

bool CColorDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (ColorField field : kFields) {
            if (watched == m_pEdits[Index(field)]) {
                m_nSource = event->type() == QEvent::FocusIn ? Index(field) + 1 : 0;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CColorDlg::OnTextChanged(ColorField field) {
    const int i = Index(field);
    QLineEdit* edit = m_pEdits[i];
    const std::optional<int64_t> typed = ParseColorField(field, edit->text());
    if (!typed) {
        // Not a number: the edit shows its value again and nothing else changes.
        edit->setText(FormatColorField(field, m_values[i]));
        return;
    }
    const int limited = ColorFieldLimit(field, *typed);
    m_values[i] = limited;
    if (limited != *typed) {
        // The rewrite comes back here with the limited value, which then counts as typed.
        edit->setText(FormatColorField(field, limited));
        return;
    }
    if (m_nSource == i + 1) {
        RecomputeFrom(field);
    }
}

void CColorDlg::SetField(ColorField field, int value) {
    m_values[Index(field)] = value;
    m_pEdits[Index(field)]->setText(FormatColorField(field, value));
}

void CColorDlg::RecomputeFrom(ColorField field) {
    auto v = [this](ColorField f) { return m_values[Index(f)]; };
    CRgbValue rgb{v(ColorField::Red), v(ColorField::Green), v(ColorField::Blue)};
    if (IsHsv(field)) {
        rgb = HsvToRgb({v(ColorField::Hue), v(ColorField::Saturation), v(ColorField::Value)});
        SetField(ColorField::Red, rgb.r);
        SetField(ColorField::Green, rgb.g);
        SetField(ColorField::Blue, rgb.b);
    } else if (field == ColorField::Hex) {
        rgb = RgbOf(uint32_t(v(ColorField::Hex)));
        SetField(ColorField::Red, rgb.r);
        SetField(ColorField::Green, rgb.g);
        SetField(ColorField::Blue, rgb.b);
    }
    if (!IsHsv(field)) {
        const CHsvValue hsv = RgbToHsv(rgb);
        SetField(ColorField::Hue, hsv.h);
        SetField(ColorField::Saturation, hsv.s);
        SetField(ColorField::Value, hsv.v);
    }
    if (field != ColorField::Hex) {
        SetField(ColorField::Hex, int(MakeArgb(0, rgb.r, rgb.g, rgb.b)));
    }
}

void CColorDlg::accept() {
    m_color =
        MakeArgb(255, Value(ColorField::Red), Value(ColorField::Green), Value(ColorField::Blue));
    QDialog::accept();
}
