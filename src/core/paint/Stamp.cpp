#include "paint/Stamp.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "paint/Dab.h"
#include "paint/StrokeLine.h"
#include "platform/Bitmap.h"
#include "platform/Compose.h"

int StampRadius(int sizeIndex) {
    constexpr int kRadius[] = {3, 5, 9, 14};
    return kRadius[sizeIndex >= 0 && sizeIndex < 4 ? sizeIndex : 0];
}

QRect CloneSegment(Bitmap& dst, const Bitmap& snapshot, QPoint snapshotOrigin, QPoint from,
                   QPoint to, QPoint offset, int radius) {
    const int a = std::max(1, radius);
    // The circles' union as a mask over its bounding box.
    const QRect box = SegmentRect(from, to, 0).adjusted(-a, -a, a - 1, a - 1);
    std::vector<uint8_t> inside(size_t(box.width()) * size_t(box.height()), 0);
    ForEachLinePoint(from, to, [&](QPoint p, QPoint) {
        const CEllipseRows rows(QRect(p.x() - a, p.y() - a, 2 * a, 2 * a));
        for (int y = rows.Box().top(); y <= rows.Box().bottom(); ++y) {
            int left = 0, right = 0;
            rows.RowSpan(y, left, right);
            if (left < right) {
                uint8_t* row = inside.data() + size_t(y - box.top()) * size_t(box.width());
                std::fill(row + (left - box.left()), row + (right - box.left()), uint8_t(1));
            }
        }
    });
    // Drawn one pixel right of and below the circles.
    const QRect painted = box.translated(1, 1);
    const QRect area = painted.intersected(dst.Rect());
    if (area.isEmpty()) {
        return painted;
    }
    std::vector<uint32_t> source(size_t(area.width()));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uint8_t* mask = inside.data() + size_t(y - painted.top()) * size_t(box.width());
        // Snapshot pixel of q: q - (1, 1) - offset - snapshotOrigin.
        const int sy = y - 1 - offset.y() - snapshotOrigin.y();
        const uint32_t* srow = sy >= 0 && sy < snapshot.Height() ? snapshot.Row(sy) : nullptr;
        // Only the runs inside the circles are blended: the pixels around them stay exactly
        // as they are.
        for (int x = area.left(); x <= area.right();) {
            if (mask[x - painted.left()] == 0) {
                ++x;
                continue;
            }
            const int runStart = x;
            for (; x <= area.right() && mask[x - painted.left()] != 0; ++x) {
                const int sx = x - 1 - offset.x() - snapshotOrigin.x();
                source[size_t(x - runStart)] =
                    srow && sx >= 0 && sx < snapshot.Width() ? srow[sx] : 0u;
            }
            BlendRow(dst.Row(y) + runStart, source.data(), x - runStart, 1.0f);
        }
    }
    return painted;
}
