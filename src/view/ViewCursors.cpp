#include "view/ViewCursors.h"

#include <QFile>
#include <QPixmap>
#include <array>
#include <optional>

#include "ui/BarIcons.h"

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

QCursor MakeCursor(const CursorImage& c) {
    const QString name = QLatin1String(c.name);
    QPixmap image = RenderSvg(QStringLiteral(":/cursors/%1.svg").arg(name), 32);
    if (image.isNull()) {
        const QString png = QStringLiteral(":/cursors/%1.png").arg(name);
        if (QFile::exists(png)) {
            image = QPixmap(png);
        }
    }
    if (!image.isNull()) {
        return QCursor(image, c.hotX * image.width() / 32, c.hotY * image.height() / 32);
    }
    return QCursor(c.fallback);
}
}  // namespace

QCursor NamedCursor(ViewCursor cursor) {
    // The view asks at every mouse move: each picture is drawn once, on first use (always on
    // the GUI thread). The cursors are never destroyed, so none outlives the application
    // object at exit.
    static auto* made = new std::array<std::optional<QCursor>, kCursors.size()>;
    std::optional<QCursor>& slot = (*made)[size_t(cursor)];
    if (!slot) {
        slot = MakeCursor(kCursors[size_t(cursor)]);
    }
    return *slot;
}
