#include "paint/TextDraw.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "platform/Bitmap.h"

namespace {

constexpr int kDotsPerMeter = 3780;  // 96 dots per inch

// A paint device of 96 dots per inch for measuring.
const QImage& MeasuringDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        image.setDotsPerMeterX(kDotsPerMeter);
        image.setDotsPerMeterY(kDotsPerMeter);
        return image;
    }();
    return device;
}

}  // namespace

QSize MeasureText(const QFont& font, const QString& text) {
    const QFontMetricsF metrics(font, &MeasuringDevice());
    const double width = text.isEmpty() ? 0.0 : metrics.horizontalAdvance(text);
    return {int(width), int(metrics.height())};
}

QRect DrawTextLine(Bitmap& target, const QFont& font, QPoint topLeft, const QString& text,
                   uint32_t color) {
    if (text.isEmpty()) {
        return {};
    }
    QImage image = target.View();
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    const QFontMetricsF metrics(font, &image);
    const QRectF box(QPointF(topLeft), QSizeF(metrics.horizontalAdvance(text), metrics.height()));
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(QColor::fromRgba(color));
        painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    }
    // Italic overhang and antialiasing reach a little beyond the advance box.
    const int grow = int(std::ceil(metrics.height() / 4)) + 2;
    return box.toAlignedRect().adjusted(-grow, -grow, grow, grow) & target.Rect();
}
