#include "paint/Pencil.h"

#include <array>

#include "paint/Dab.h"
#include "paint/StrokeLine.h"
#include "platform/Bitmap.h"

namespace {

constexpr std::array<int, kPencilTips> kHalfSize = {1, 3, 4, 6, 3, 5, 7, 3, 5, 7};

int ValidTip(int tip) {
    return tip >= 0 && tip < kPencilTips ? tip : 0;
}

// Writes color into the pixel when it lies inside dst.
void Put(Bitmap& dst, int x, int y, uint32_t color) {
    if (x >= 0 && y >= 0 && x < dst.Width() && y < dst.Height()) {
        dst.SetPixel(x, y, color);
    }
}

}  // namespace

int PencilTipHalfSize(int tip) {
    return kHalfSize[size_t(ValidTip(tip))];
}

bool IsDiagonalPencilTip(int tip) {
    return tip >= 4 && tip <= 9;
}

void DabPencil(Bitmap& dst, QPoint point, int tip, uint32_t color) {
    const int x = point.x();
    const int y = point.y();
    switch (ValidTip(tip)) {
        case 0:
            Put(dst, x, y, color);
            return;
        case 1:
            Put(dst, x, y, color);
            Put(dst, x - 1, y, color);
            Put(dst, x + 1, y, color);
            Put(dst, x, y - 1, color);
            Put(dst, x, y + 1, color);
            return;
        case 2:
            BlendEllipse(dst, QRect(x - 3, y - 3, 7, 7), color);
            return;
        case 3:
            BlendEllipse(dst, QRect(x - 5, y - 5, 11, 11), color);
            return;
        default:
            break;
    }
    // The diagonal masks: side n, top-left corner at (x - n / 2, y - n / 2).
    const int n = tip <= 6 ? 3 + 2 * (tip - 4) : 3 + 2 * (tip - 7);
    const bool rising = tip <= 6;
    const int left = x - n / 2;
    const int top = y - n / 2;
    for (int i = 0; i < n; ++i) {
        Put(dst, left + i, rising ? top + n - 1 - i : top + i, color);
    }
}

QRect PencilSegment(Bitmap& dst, QPoint from, QPoint to, int tip, uint32_t color) {
    tip = ValidTip(tip);
    const bool twice = IsDiagonalPencilTip(tip);
    ForEachLinePoint(from, to, [&](QPoint p, QPoint step) {
        DabPencil(dst, p, tip, color);
        if (twice && !step.isNull()) {
            DabPencil(dst, p + step, tip, color);
        }
    });
    return SegmentRect(from, to, PencilTipHalfSize(tip) + 1);
}
