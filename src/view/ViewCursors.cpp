#include "view/ViewCursors.h"

#include <QFile>
#include <QPixmap>
#include <array>

namespace {
struct CursorImage {
    const char* name;
    int hotX, hotY;  // in a 32 x 32 image
    Qt::CursorShape fallback;
};
// The pencil, pipette and fill cursors point with their lower left tip; the others act at
// their middle.
constexpr std::array<CursorImage, 7> kCursors = {{
    {"pencil", 1, 30, Qt::CrossCursor},
    {"selection-cross", 15, 15, Qt::CrossCursor},
    {"pipette", 1, 30, Qt::PointingHandCursor},
    {"fill", 1, 30, Qt::PointingHandCursor},
    {"blur", 15, 15, Qt::CrossCursor},
    {"eraser", 15, 15, Qt::CrossCursor},
    {"spray", 15, 15, Qt::CrossCursor},
}};
}  // namespace

QCursor NamedCursor(ViewCursor cursor) {
    const CursorImage& c = kCursors[size_t(cursor)];
    const QString path = QStringLiteral(":/cursors/%1.png").arg(QLatin1String(c.name));
    if (QFile::exists(path)) {
        const QPixmap image(path);
        if (!image.isNull()) {
            return QCursor(image, c.hotX * image.width() / 32, c.hotY * image.height() / 32);
        }
    }
    return QCursor(c.fallback);
}
