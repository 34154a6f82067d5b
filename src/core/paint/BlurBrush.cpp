#include "paint/BlurBrush.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/Bitmap.h"

namespace {

int ValidSize(int sizeIndex) {
    return sizeIndex >= 0 && sizeIndex < 4 ? sizeIndex : 0;
}

std::vector<QPoint> MakeFootprint(int sizeIndex) {
    std::vector<QPoint> points;
    switch (sizeIndex) {
        case 0:
            points = {{0, 0}};
            break;
        case 1:
            points = {{0, 0}, {-1, 0}, {0, -1}, {1, 0}, {0, 1}};
            break;
        case 2:
            for (int dy = -2; dy <= 2; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    if (std::abs(dx) != 2 || std::abs(dy) != 2) {
                        points.emplace_back(dx, dy);
                    }
                }
            }
            break;
        default:
            for (int dy = -3; dy <= 3; ++dy) {
                for (int dx = -3; dx <= 3; ++dx) {
                    points.emplace_back(dx, dy);
                }
            }
            for (int dy : {-4, 4}) {
                for (int dx = -2; dx <= 2; ++dx) {
                    points.emplace_back(dx, dy);
                }
            }
            for (int dx : {-4, 4}) {
                for (int dy = -2; dy <= 2; ++dy) {
                    points.emplace_back(dx, dy);
                }
            }
            break;
    }
    return points;
}

}  // namespace

const std::vector<QPoint>& BlurFootprint(int sizeIndex) {
    static const std::array<std::vector<QPoint>, 4> kFootprints = {
        MakeFootprint(0), MakeFootprint(1), MakeFootprint(2), MakeFootprint(3)};
    return kFootprints[size_t(ValidSize(sizeIndex))];
}

int BlurFootprintReach(int sizeIndex) {
    constexpr int kReach[] = {0, 1, 2, 4};
    return kReach[ValidSize(sizeIndex)];
}

QRect BlurDab(Bitmap& dst, QPoint point, int sizeIndex, int kernelSize) {
    const int e = std::max(0, (kernelSize - 1) / 2);
    for (const QPoint& offset : BlurFootprint(sizeIndex)) {
        const int x = point.x() + offset.x();
        const int y = point.y() + offset.y();
        if (x < 0 || y < 0 || x >= dst.Width() || y >= dst.Height()) {
            continue;
        }
        const int x0 = std::max(0, x - e), x1 = std::min(dst.Width() - 1, x + e);
        const int y0 = std::max(0, y - e), y1 = std::min(dst.Height() - 1, y + e);
        uint32_t a = 0, r = 0, g = 0, b = 0;
        for (int wy = y0; wy <= y1; ++wy) {
            const uint32_t* row = dst.Row(wy);
            for (int wx = x0; wx <= x1; ++wx) {
                const uint32_t c = row[wx];
                a += ArgbAlpha(c);
                r += ArgbRed(c);
                g += ArgbGreen(c);
                b += ArgbBlue(c);
            }
        }
        const uint32_t n = uint32_t((x1 - x0 + 1) * (y1 - y0 + 1));
        dst.SetPixel(x, y, MakeArgb(a / n, r / n, g / n, b / n));
    }
    const int reach = BlurFootprintReach(sizeIndex);
    return QRect(point.x() - reach, point.y() - reach, 2 * reach + 1, 2 * reach + 1);
}
