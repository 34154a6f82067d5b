#include "panels/SelectTwoColorsDlg.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>

#include "platform/ColorModel.h"

// The preview square: the background's corner under the gradient.
class CGradientPreview : public QWidget {
public:
    explicit CGradientPreview(CSelectTwoColorsDlg& dialog) : QWidget(&dialog), m_dialog(dialog) {
        setFixedSize(CSelectTwoColorsDlg::kPreviewSize, CSelectTwoColorsDlg::kPreviewSize);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, m_dialog.PreviewImage());
    }

private:
    CSelectTwoColorsDlg& m_dialog;
};

namespace {

// The slider order in which a move is looked for: red, green, blue, then alpha.
constexpr std::array<CSelectTwoColorsDlg::Component, 4> kSliderOrder = {
    CSelectTwoColorsDlg::R, CSelectTwoColorsDlg::G, CSelectTwoColorsDlg::B, CSelectTwoColorsDlg::A};

// An edit's number as the synchronisation compares it: what it starts with, 0 for none.
int LeadingInteger(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

QImage Checkerboard(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    constexpr int kCell = 8;
    for (int y = 0; y < size; y += kCell) {
        for (int x = 0; x < size; x += kCell) {
            painter.fillRect(x, y, kCell, kCell,
                             ((x + y) / kCell) % 2 ? QColor(204, 204, 204) : Qt::white);
        }
    }
    return image;
}

}  // namespace

CSelectTwoColorsDlg::CSelectTwoColorsDlg(const QImage& background, uint32_t color1, uint32_t color2,
                                         QWidget* parent)
    : QDialog(parent), m_background(background) {
    setWindowTitle(QStringLiteral("Select Gradient Color"));
    setWindowIcon(QApplication::windowIcon());
    for (int c = 0; c < 2; ++c) {
        const uint32_t color = c == 0 ? color1 : color2;
        m_comp[c] = {int(color >> 24), int((color >> 16) & 0xFF), int((color >> 8) & 0xFF),
                     int(color & 0xFF)};
    }

    m_pPreview = new CGradientPreview(*this);
    auto* columns = new QHBoxLayout;
    columns->addWidget(m_pPreview, 0, Qt::AlignTop);
    auto* groups = new QVBoxLayout;
    const auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this);
    const auto* hexDigits = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,8}")), this);
    static const char* const kNames[4] = {"A:", "R:", "G:", "B:"};
    for (int c = 0; c < 2; ++c) {
        auto* group = new QGroupBox(c == 0 ? QStringLiteral("Color 1") : QStringLiteral("Color 2"));
        auto* grid = new QGridLayout(group);
        int row = 0;
        for (Component component : kSliderOrder) {
            auto* slider = new QSlider(Qt::Horizontal);
            slider->setRange(0, 255);
            slider->setMinimumWidth(160);
            auto* edit = new QLineEdit;
            edit->setValidator(digits);
            edit->setMaximumWidth(50);
            grid->addWidget(new QLabel(QString::fromLatin1(kNames[component])), row, 0);
            grid->addWidget(slider, row, 1);
            grid->addWidget(edit, row, 2);
            m_pSliders[c][component] = slider;
            m_pEdits[c][component] = edit;
            edit->setText(QString::number(m_comp[c][component]));
            connect(slider, &QSlider::valueChanged, this, [this] { OnSliderMoved(); });
            connect(edit, &QLineEdit::textChanged, this,
                    [this, c, component] { OnEditChanged(c, component); });
            ++row;
        }
        m_pHexEdits[c] = new QLineEdit;
        m_pHexEdits[c]->setValidator(hexDigits);
        m_pHexEdits[c]->setMaximumWidth(90);
        connect(m_pHexEdits[c], &QLineEdit::editingFinished, this, [this, c] { OnHexEdited(c); });
        m_pChooseButtons[c] = new QPushButton(c == 0 ? QStringLiteral("First Color...")
                                                     : QStringLiteral("Second Color..."));
        m_pChooseButtons[c]->setAutoDefault(false);
        connect(m_pChooseButtons[c], &QPushButton::clicked, this, [this, c] { OnChooseColor(c); });
        grid->addWidget(new QLabel(QStringLiteral("Hex:")), row, 0);
        grid->addWidget(m_pHexEdits[c], row, 1, Qt::AlignLeft);
        grid->addWidget(m_pChooseButtons[c], row + 1, 1, 1, 2, Qt::AlignLeft);
        groups->addWidget(group);
    }
    groups->addStretch();
    columns->addLayout(groups);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 12);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    Synchronize();
}

CSelectTwoColorsDlg::~CSelectTwoColorsDlg() = default;

uint32_t CSelectTwoColorsDlg::ColorOf(int color) const {
    const auto& c = m_comp[color];
    return MakeArgb(c[A], c[R], c[G], c[B]);
}

void CSelectTwoColorsDlg::Synchronize() {
    m_bSynchronizing = true;
    for (int c = 0; c < 2; ++c) {
        for (int component = 0; component < 4; ++component) {
            QLineEdit* edit = m_pEdits[c][component];
            if (LeadingInteger(edit->text()) != m_comp[c][component]) {
                edit->setText(QString::number(m_comp[c][component]));
            }
            if (m_pSliders[c][component]->value() != m_comp[c][component]) {
                m_pSliders[c][component]->setValue(m_comp[c][component]);
            }
        }
        const QString hex = QStringLiteral("%1").arg(ColorOf(c), 8, 16, QLatin1Char('0'));
        if (m_pHexEdits[c]->text() != hex) {
            m_pHexEdits[c]->setText(hex);
        }
    }
    m_bSynchronizing = false;
    m_pPreview->update();
}

void CSelectTwoColorsDlg::OnEditChanged(int color, Component component) {
    if (m_bSynchronizing) {
        return;
    }
    // An emptied edit counts as 0 and stays empty while the user types the new number.
    m_comp[color][component] =
        std::clamp(LeadingInteger(m_pEdits[color][component]->text()), 0, 255);
    Synchronize();
}

void CSelectTwoColorsDlg::OnSliderMoved() {
    if (m_bSynchronizing) {
        return;
    }
    for (int c = 0; c < 2; ++c) {
        for (Component component : kSliderOrder) {
            const int position = m_pSliders[c][component]->value();
            if (position != m_comp[c][component]) {
                m_comp[c][component] = position;
                Synchronize();
                return;
            }
        }
    }
}

void CSelectTwoColorsDlg::OnHexEdited(int color) {
    // Read as AARRGGBB, short texts padded with leading zeros; the edit's validator lets only
    // hexadecimal digits in.
    const std::optional<int64_t> value =
        ParseColorField(ColorField::Hex, m_pHexEdits[color]->text());
    if (value && !m_pHexEdits[color]->text().isEmpty()) {
        const auto argb = uint32_t(*value);
        m_comp[color] = {int(argb >> 24), int((argb >> 16) & 0xFF), int((argb >> 8) & 0xFF),
                         int(argb & 0xFF)};
    }
    Synchronize();
}

void CSelectTwoColorsDlg::OnChooseColor(int color) {
    const auto& c = m_comp[color];
    const QColor chosen = QColorDialog::getColor(
        QColor(c[R], c[G], c[B]), this,
        color == 0 ? QStringLiteral("First Color") : QStringLiteral("Second Color"));
    if (chosen.isValid()) {
        m_comp[color][R] = chosen.red();
        m_comp[color][G] = chosen.green();
        m_comp[color][B] = chosen.blue();
        Synchronize();
    }
}

QImage CSelectTwoColorsDlg::PreviewImage() const {
    QImage image = Checkerboard(kPreviewSize);
    QPainter painter(&image);
    if (!m_background.isNull()) {
        painter.drawImage(0, 0, m_background, 0, 0, kPreviewSize, kPreviewSize);
    }
    QLinearGradient gradient(0, 0, 0, kPreviewSize);
    gradient.setColorAt(0, QColor::fromRgba(Color1()));
    gradient.setColorAt(1, QColor::fromRgba(Color2()));
    gradient.setSpread(QGradient::RepeatSpread);
    painter.fillRect(0, 0, kPreviewSize, kPreviewSize, gradient);
    return image;
}

bool RunSelectTwoColorsDlg(const QImage& background, uint32_t& color1, uint32_t& color2,
                           QWidget* parent) {
    CSelectTwoColorsDlg dialog(background, color1, color2, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    color1 = dialog.Color1();
    color2 = dialog.Color2();
    return true;
}
