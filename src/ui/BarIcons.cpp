#include "ui/BarIcons.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap RenderSvg(const QString& path, int size) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        return {};
    }
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon BarIcon(const QString& name, int size) {
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap = RenderSvg(path, size * scale);
        if (!pixmap.isNull()) {
            pixmap.setDevicePixelRatio(scale);
            icon.addPixmap(pixmap);
        }
    }
    return icon;
}
