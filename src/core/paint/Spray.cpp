#include "paint/Spray.h"

#include <cmath>

#include "effects/RandomSequence.h"
#include "platform/Bitmap.h"

namespace {
int ValidSize(int sizeIndex) {
    return sizeIndex >= 0 && sizeIndex < 4 ? sizeIndex : 0;
}
}  // namespace

int SprayRadius(int sizeIndex) {
    return 5 * (ValidSize(sizeIndex) + 1);
}

int SprayDots(int sizeIndex) {
    return 20 + 5 * ValidSize(sizeIndex);
}

QRect SprayPuff(Bitmap& dst, QPoint centre, int radius, int dots, uint32_t color,
                CRandomSequence& random) {
    for (int i = 0; i < dots; ++i) {
        const double angle = double(random.Next() % 361) / 3.14159;
        const int distance = random.Next() % (radius + 1);
        const int x = centre.x() + int(std::cos(angle) * distance);
        const int y = centre.y() + int(std::sin(angle) * distance);
        if (x >= 0 && y >= 0 && x < dst.Width() && y < dst.Height()) {
            dst.SetPixel(x, y, color);
        }
    }
    return QRect(centre.x() - radius, centre.y() - radius, 2 * radius + 1, 2 * radius + 1);
}
