#include "paint/HueMask.h"

#include <cstdlib>

#include "platform/Hls.h"

int PixelHue(uint32_t argb) {
    uint16_t hue = 0, luminance = 0, saturation = 0;
    ColorRGBToHLS(MakeColorref(ArgbRed(argb), ArgbGreen(argb), ArgbBlue(argb)), &hue, &luminance,
                  &saturation);
    return hue;
}

bool HueWithinRange(int hue, int startHue, int range) {
    const int difference = hue - startHue;
    return std::abs(difference) <= range || difference + 240 <= range;
}

CHueMask HueFloodMask(const Bitmap& picture, QPoint start, int range) {
    CHueMask mask;
    mask.width = picture.Width();
    mask.height = picture.Height();
    mask.marked.assign(size_t(mask.width) * size_t(mask.height), 0);
    if (range == 0 || !picture.Rect().contains(start)) {
        return mask;
    }
    const int startHue = PixelHue(picture.GetPixel(start.x(), start.y()));
    // The hue of each pixel is worked out once: 0 not yet, 1 taken, 2 refused.
    std::vector<uint8_t>& marked = mask.marked;
    std::vector<uint8_t> refused(marked.size(), 0);
    std::vector<QPoint> queue{start};
    marked[size_t(start.y()) * size_t(mask.width) + size_t(start.x())] = 1;
    int left = start.x(), right = start.x(), top = start.y(), bottom = start.y();
    for (size_t next = 0; next < queue.size(); ++next) {
        const QPoint p = queue[next];
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
        const QPoint around[4] = {
            {p.x() - 1, p.y()}, {p.x() + 1, p.y()}, {p.x(), p.y() - 1}, {p.x(), p.y() + 1}};
        for (const QPoint& n : around) {
            if (n.x() < 0 || n.y() < 0 || n.x() >= mask.width || n.y() >= mask.height) {
                continue;
            }
            const size_t i = size_t(n.y()) * size_t(mask.width) + size_t(n.x());
            if (marked[i] || refused[i]) {
                continue;
            }
            if (HueWithinRange(PixelHue(picture.GetPixel(n.x(), n.y())), startHue, range)) {
                marked[i] = 1;
                queue.push_back(n);
            } else {
                refused[i] = 1;
            }
        }
    }
    mask.count = int(queue.size());
    mask.bounds = QRect(QPoint(left, top), QPoint(right, bottom));
    return mask;
}

std::unique_ptr<Bitmap> LiftMaskedPixels(Bitmap& picture, const CHueMask& mask, uint32_t fill) {
    if (mask.count == 0 || mask.bounds.isEmpty() || picture.Width() != mask.width ||
        picture.Height() != mask.height) {
        return nullptr;
    }
    const QRect box = mask.bounds;
    auto lifted = Bitmap::Create(box.width(), box.height());
    if (!lifted) {
        return nullptr;
    }
    for (int y = box.top(); y <= box.bottom(); ++y) {
        uint32_t* row = picture.Row(y);
        uint32_t* out = lifted->Row(y - box.top());
        const uint8_t* taken = mask.marked.data() + size_t(y) * size_t(mask.width);
        for (int x = box.left(); x <= box.right(); ++x) {
            if (taken[x]) {
                out[x - box.left()] = row[x];
                row[x] = fill;
            }
        }
    }
    return lifted;
}
