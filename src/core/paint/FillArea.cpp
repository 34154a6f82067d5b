#include "paint/FillArea.h"

#include <algorithm>

#include "paint/FloodFill.h"
#include "platform/Bitmap.h"

namespace {

// s painted with alpha a over d, both 0..255, rounded.
inline uint32_t Mix(uint32_t s, uint32_t d, uint32_t a) {
    return (s * a + d * (255 - a) + 127) / 255;
}

inline uint32_t OverWhite(uint32_t c) {
    const uint32_t a = ArgbAlpha(c);
    return MakeArgb(255, Mix(ArgbRed(c), 255, a), Mix(ArgbGreen(c), 255, a),
                    Mix(ArgbBlue(c), 255, a));
}

}  // namespace

uint32_t BlendFillColor(uint32_t color, int transparencyPercent, uint32_t under) {
    const uint32_t a = uint32_t(std::clamp(transparencyPercent, 0, 100) * 255 / 100);
    return MakeArgb(255, Mix(ArgbRed(color), ArgbRed(under), a),
                    Mix(ArgbGreen(color), ArgbGreen(under), a),
                    Mix(ArgbBlue(color), ArgbBlue(under), a));
}

bool FillArea(Bitmap& target, QPoint point, uint32_t color, bool blend, int transparencyPercent) {
    if (!target.Rect().contains(point)) {
        return false;
    }
    // The picture over white, in place: it is what the target becomes anyway.
    const int width = target.Width();
    for (int y = 0; y < target.Height(); ++y) {
        uint32_t* row = target.Row(y);
        for (int x = 0; x < width; ++x) {
            row[x] = OverWhite(row[x]);
        }
    }
    const uint32_t clicked = target.GetPixel(point.x(), point.y());
    const uint32_t fill =
        blend ? BlendFillColor(color, transparencyPercent, clicked) : (color | 0xFF000000u);
    FloodFill(target, point, fill);
    return true;
}
