#include "paint/Brush.h"

#include <algorithm>
#include <cmath>

#include "paint/Dab.h"
#include "paint/StrokeLine.h"
#include "platform/Bitmap.h"

int BrushDabSize(int sizeIndex) {
    constexpr int kSizes[] = {4, 8, 12, 16};
    return kSizes[sizeIndex >= 0 && sizeIndex < 4 ? sizeIndex : 0];
}

int BrushRingAlpha(int n, int k, int a) {
    const double c = n < 13 ? 2.0 : 1.8;
    return std::max(1, int(a / std::pow(double(n - k), c)));
}

QRect DabBrush(Bitmap& dst, QPoint point, int n, uint32_t color) {
    const int a = int(ArgbAlpha(color));
    const uint32_t rgb = color & 0x00FFFFFFu;
    for (int k = 0; k <= n - 2; ++k) {
        const int side = 2 * n + 1 - 2 * k;
        const QRect box(point.x() - n + 1 + k, point.y() - n + 1 + k, side, side);
        BlendEllipse(dst, box, (uint32_t(BrushRingAlpha(n, k, a)) << 24) | rgb);
    }
    return QRect(point.x() - n + 1, point.y() - n + 1, 2 * n + 1, 2 * n + 1);
}

QRect BrushSegment(Bitmap& dst, QPoint from, QPoint to, int n, uint32_t color) {
    ForEachLinePoint(from, to, [&](QPoint p, QPoint) { DabBrush(dst, p, n, color); });
    // Each dab's squares reach from x - n + 1 to x + n + 1.
    return SegmentRect(from, to, 0).adjusted(-n + 1, -n + 1, n + 1, n + 1);
}
