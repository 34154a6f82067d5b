#include "paint/Eraser.h"

#include <algorithm>

#include "paint/StrokeLine.h"
#include "platform/Bitmap.h"

namespace {
int ValidSize(int sizeIndex) {
    return sizeIndex >= 0 && sizeIndex < 4 ? sizeIndex : 0;
}
}  // namespace

int EraserSide(int sizeIndex) {
    constexpr int kSides[] = {3, 5, 9, 13};
    return kSides[ValidSize(sizeIndex)];
}

int EraserHalfSize(int sizeIndex) {
    constexpr int kHalf[] = {2, 3, 5, 7};
    return kHalf[ValidSize(sizeIndex)];
}

void CEraseMask::Reset(QSize size) {
    m_size = size.isValid() ? size : QSize(0, 0);
    m_cells.assign(size_t(m_size.width()) * size_t(m_size.height()), 0);
}

QRect EraseSquare(Bitmap& dst, CEraseMask& mask, QPoint point, int side, int strength) {
    const QRect square(point.x() - side / 2, point.y() - side / 2, side, side);
    const QRect area = square.intersected(dst.Rect()).intersected(QRect(QPoint(0, 0), mask.Size()));
    const uint32_t keep = uint32_t(255 - std::clamp(strength, 0, 255));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        uint32_t* row = dst.Row(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            if (mask.Mark(x, y)) {
                const uint32_t alpha = ArgbAlpha(row[x]) * keep / 255;
                row[x] = (alpha << 24) | (row[x] & 0x00FFFFFFu);
            }
        }
    }
    return square;
}

QRect EraseSegment(Bitmap& dst, CEraseMask& mask, QPoint from, QPoint to, int side, int strength) {
    ForEachLinePoint(from, to,
                     [&](QPoint p, QPoint) { EraseSquare(dst, mask, p, side, strength); });
    return SegmentRect(from, to, side / 2 + 1);
}
