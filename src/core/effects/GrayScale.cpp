#include "effects/GrayScale.h"

#include "effects/EffectRows.h"

void GrayScale(Bitmap& target) {
    const int width = target.Width();
    ForEachRow(target, 1, [&](uint32_t* row, int) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = row[x];
            const uint32_t g = (ArgbRed(p) + ArgbGreen(p) + ArgbBlue(p)) / 3;
            row[x] = (p & 0xFF000000u) | (g * 0x010101u);
        }
    });
}
