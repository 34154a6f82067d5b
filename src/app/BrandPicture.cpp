#include "app/BrandPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {
// Three overlapping translucent discs: layers of paint.
void DrawDiscs(QPainter& p, QRectF area) {
    const QColor colours[] = {QColor(235, 64, 52, 190), QColor(250, 190, 40, 190),
                              QColor(40, 150, 230, 190)};
    const QPointF centres[] = {{0.38, 0.40}, {0.62, 0.40}, {0.50, 0.62}};
    const double r = 0.22 * std::min(area.width(), area.height());
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        const QPointF c(area.left() + centres[i].x() * area.width(),
                        area.top() + centres[i].y() * area.height());
        p.setBrush(colours[i]);
        p.drawEllipse(c, r, r);
    }
}
}  // namespace

QImage MakeBrandPicture(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(24, 32, 64));
    sky.setColorAt(1, QColor(70, 40, 110));
    p.fillRect(image.rect(), sky);

    const QRectF art(0, 0, size.width() * 0.5, size.height() * 0.8);
    DrawDiscs(p, art.translated(size.width() * 0.02, size.height() * 0.1));

    p.setPen(Qt::white);
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(std::max(8, size.height() / 6));
    title.setBold(true);
    p.setFont(title);
    const QRectF text(size.width() * 0.48, 0, size.width() * 0.5, size.height() * 0.62);
    p.drawText(text, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Pictorra"));
    QFont version = title;
    version.setBold(false);
    version.setPixelSize(std::max(6, size.height() / 16));
    p.setFont(version);
    p.drawText(QRectF(text.left(), text.bottom(), text.width(), size.height() * 0.2),
               Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Version " PICTORRA_VERSION));
    return image;
}

QIcon MakeAppIcon() {
    QIcon icon;
    for (int side : {16, 32, 48, 64}) {
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        DrawDiscs(p, QRectF(0, 0, side, side * 1.05));
        p.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
