#include "panels/ColorBar.h"

#include <QAction>
#include <QColorDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QToolButton>

#include "panels/ColorDlg.h"
#include "panels/ExplorerDlg.h"
#include "platform/ColorModel.h"

namespace {

constexpr QSize kPictureSize{200, 400};
// The areas of the picture the panel shows; the controls sit in the rest.
constexpr QRect kTopArea{0, 0, 200, 190};
constexpr QRect kStripArea{30, 258, 100, 50};
constexpr QColor kOutline{127, 127, 127};

constexpr uint32_t kPalette[CColorBar::kPaletteSize] = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF,
};

QImage Checkerboard(QSize size, int cell) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            row[x] = ((x / cell + y / cell) % 2) ? 0xFFC8C8C8 : 0xFFFFFFFF;
        }
    }
    return image;
}

// The frame behind the swatches (33 x 33): a sunken square over a checkerboard, on which
// transparent colours show as such.
const QImage& SwatchFrame() {
    static const QImage frame = [] {
        QImage image = Checkerboard({33, 33}, 4);
        QPainter p(&image);
        p.setPen(QColor(255, 255, 255));
        p.drawLine(0, 32, 32, 32);
        p.drawLine(32, 0, 32, 32);
        p.setPen(QColor(128, 128, 128));
        p.drawLine(0, 0, 32, 0);
        p.drawLine(0, 0, 0, 32);
        return image;
    }();
    return frame;
}

// The spectrum (77 x 77, shown stretched): the hue from left to right, from white at the top
// through the pure hue in the middle to black at the bottom.
const QImage& SpectrumPicture() {
    static const QImage spectrum = [] {
        constexpr int kSide = 77;
        constexpr int kMiddle = kSide / 2;
        QImage image(kSide, kSide, QImage::Format_ARGB32);
        for (int y = 0; y < kSide; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < kSide; ++x) {
                const int hue = x * 360 / kSide;
                const int s = y <= kMiddle ? y * 100 / kMiddle : 100;
                const int v =
                    y <= kMiddle ? 100 : 100 - (y - kMiddle) * 100 / (kSide - 1 - kMiddle);
                const CRgbValue c = HsvToRgb({hue, s, v});
                row[x] = qRgb(c.r, c.g, c.b);
            }
        }
        return image;
    }();
    return spectrum;
}

// The pattern under the colour strips (11 x 11, repeated).
const QImage& TransparencyPattern() {
    static const QImage pattern = Checkerboard({11, 11}, 5);
    return pattern;
}

QColor ColorOf(uint32_t argb) {
    return QColor::fromRgba(argb);
}

}  // namespace

// The bar's face: shows the off-screen picture and passes the clicks on.
class CColorBarPanel : public QWidget {
public:
    explicit CColorBarPanel(CColorBar& bar) : QWidget(&bar), m_bar(bar) {
        setMinimumSize(kPictureSize.width(), kBrowserPos().y() + 80);
    }
    QSize sizeHint() const override {
        return {kBrowserPos().x() * 2 + CColorBar::kBrowserSize.width(),
                kBrowserPos().y() + CColorBar::kBrowserSize.height()};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (const QRect& area : {kTopArea, kStripArea}) {
            painter.drawImage(area.topLeft(), m_bar.m_image, area);
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        m_bar.OnPress(event->position().toPoint(), event->button());
    }
    void resizeEvent(QResizeEvent*) override {
        // The tips panel takes what the bar's size leaves, up to its own size.
        if (!m_bar.m_pBrowser) {
            return;
        }
        const QPoint pos = kBrowserPos();
        m_bar.m_pBrowser->setGeometry(
            pos.x(), pos.y(), std::min(CColorBar::kBrowserSize.width(), width() - 2 * pos.x()),
            std::min(CColorBar::kBrowserSize.height(), height() - pos.y() - pos.x()));
    }

private:
    static constexpr QPoint kBrowserPos() { return CColorBar::kBrowserPos; }
    CColorBar& m_bar;
};

uint32_t CColorBar::PaletteColor(int index) {
    return kPalette[index];
}

QRect CColorBar::PaletteSquare(int index) {
    return {40 + 18 * (index % 8), index < 8 ? 4 : 22, 15, 15};
}

CColorBar::CColorBar(QWidget* parent) : QDockWidget(QStringLiteral("Colors"), parent) {
    setObjectName(QStringLiteral("ColorBar"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                QDockWidget::DockWidgetClosable);
    m_pPanel = new CColorBarPanel(*this);

    auto* caption = new QLabel(QStringLiteral("Opacity:"), m_pPanel);
    caption->move(8, 196);
    m_pSlider = new QSlider(Qt::Horizontal, m_pPanel);
    m_pSlider->setRange(0, 100);
    m_pSlider->setPageStep(10);
    m_pSlider->setValue(m_nTransparency);
    // The slider hands the keyboard back at once: the editor keeps its keys.
    m_pSlider->setFocusPolicy(Qt::NoFocus);
    m_pSlider->setGeometry(8, 216, 140, 22);
    m_pLabel = new QLabel(QStringLiteral("100%"), m_pPanel);
    m_pLabel->setGeometry(154, 216, 44, 22);
    connect(m_pSlider, &QSlider::valueChanged, this, &CColorBar::OnSliderMoved);
    for (int which = 0; which < 2; ++which) {
        auto* button = new QToolButton(m_pPanel);
        button->setText(QStringLiteral("Set Color"));
        button->setFocusPolicy(Qt::NoFocus);
        const QRect strip = which == 0 ? kPrimaryStrip : kSecondaryStrip;
        button->setGeometry(strip.right() + 5, strip.top() - 2, 64, strip.height() + 4);
        m_pButtons[which] = button;
    }

    m_pBrowser = new CExplorerDlg(m_pPanel);
    m_pBrowser->setGeometry(QRect(kBrowserPos, kBrowserSize));
    setWidget(m_pPanel);
    Repaint();
}

CColorBar::~CColorBar() = default;

QWidget* CColorBar::Panel() const {
    return m_pPanel;
}

void CColorBar::SetColors(uint32_t primary, uint32_t secondary) {
    m_uPrimary = primary;
    m_uSecondary = secondary;
    Repaint();
    emit ColorsChanged();
}

void CColorBar::SetTransparency(int percent) {
    m_nTransparency = std::clamp(percent, 0, 100);
    {
        const QSignalBlocker quiet(m_pSlider);
        m_pSlider->setValue(m_nTransparency);
    }
    m_pLabel->setText(QStringLiteral("%1%").arg(m_nTransparency));
}

void CColorBar::OnSliderMoved(int position) {
    m_nTransparency = position;
    m_pLabel->setText(QStringLiteral("%1%").arg(position));
    m_uPrimary = WithOpacity(m_uPrimary, position);
    m_uSecondary = WithOpacity(m_uSecondary, position);
    Repaint();
    m_pBrowser->viewport()->update();
    emit ColorsChanged();
    emit TextColorChanged();
}

std::optional<uint32_t> CColorBar::ColorAt(QPoint point) const {
    for (int i = 0; i < kPaletteSize; ++i) {
        if (PaletteSquare(i).contains(point)) {
            return kPalette[i];
        }
    }
    if (kSpectrum.contains(point)) {
        return 0xFF000000u | (m_image.pixel(point) & 0xFFFFFFu);
    }
    return std::nullopt;
}

void CColorBar::OnPress(QPoint point, Qt::MouseButton button) {
    if (button == Qt::LeftButton) {
        if (kPrimaryStrip.contains(point) || kSecondaryStrip.contains(point)) {
            EditColor(kPrimaryStrip.contains(point) ? 0 : 1);
            return;
        }
        if (const std::optional<uint32_t> color = ColorAt(point)) {
            SetColors(WithOpacity(*color, m_nTransparency), m_uSecondary);
            emit TextColorChanged();
        }
    } else if (button == Qt::RightButton) {
        if (const std::optional<uint32_t> color = ColorAt(point)) {
            SetColors(m_uPrimary, WithOpacity(*color, m_nTransparency));
        }
    }
}

bool CColorBar::EditColor(int which) {
    uint32_t color = which == 0 ? m_uPrimary : m_uSecondary;
    CColorDlg dialog(color, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (accepted) {
        which == 0 ? SetColors(color, m_uSecondary) : SetColors(m_uPrimary, color);
    }
    Repaint();
    return accepted;
}

void CColorBar::SetColorButtonActions(QAction* primary, QAction* secondary) {
    m_pButtons[0]->setDefaultAction(primary);
    m_pButtons[1]->setDefaultAction(secondary);
    // The actions keep their menu texts; the buttons say what they do here.
    for (QToolButton* button : m_pButtons) {
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
}

void CColorBar::ChooseSystemColor(int which) {
    const uint32_t color = which == 0 ? m_uPrimary : m_uSecondary;
    const QColor initial = ColorOf(color | 0xFF000000u);
    QColor chosen = QColorDialog::getColor(
        initial, this,
        which == 0 ? QStringLiteral("Primary Color") : QStringLiteral("Secondary Color"));
    if (!chosen.isValid()) {
        chosen = initial;
    }
    const uint32_t result = WithOpacity(chosen.rgb(), m_nTransparency);
    which == 0 ? SetColors(result, m_uSecondary) : SetColors(m_uPrimary, result);
}

void CColorBar::Repaint() {
    if (m_image.isNull()) {
        m_image = QImage(kPictureSize, QImage::Format_ARGB32_Premultiplied);
    }
    m_image.fill(palette().color(QPalette::Button));
    QPainter p(&m_image);
    p.drawImage(4, 4, SwatchFrame());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(kSpectrum, SpectrumPicture());
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);

    auto drawSwatches = [&] {
        p.fillRect(17, 17, 11, 11, ColorOf(m_uSecondary));
        p.setPen(kOutline);
        p.setBrush(Qt::NoBrush);
        p.drawRect(11, 11, 12, 12);
        p.fillRect(12, 12, 11, 11, ColorOf(m_uPrimary));
    };
    drawSwatches();

    for (int i = 0; i < kPaletteSize; ++i) {
        const QRect square = PaletteSquare(i);
        p.fillRect(square, ColorOf(kPalette[i]));
        p.setPen(kOutline);
        p.drawRect(square.adjusted(0, 0, -1, -1));
    }

    if (!m_pSlider->isHidden()) {
        QFont font = p.font();
        font.setPixelSize(12);
        p.setFont(font);
        for (int which = 0; which < 2; ++which) {
            const QRect strip = which == 0 ? kPrimaryStrip : kSecondaryStrip;
            const uint32_t color = which == 0 ? m_uPrimary : m_uSecondary;
            p.drawTiledPixmap(strip, QPixmap::fromImage(TransparencyPattern()));
            p.fillRect(strip, ColorOf(color));
            const CRgbValue rgb = RgbOf(color);
            p.setPen(ColorOf(ContrastingTextColor(color)));
            p.drawText(QRect(strip.left() + 20, strip.top() + 2, strip.width() - 20, 16),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       QString::asprintf("%02X %02X %02X", rgb.r, rgb.g, rgb.b));
        }
        drawSwatches();
    }
    p.end();
    m_pPanel->update();
}
