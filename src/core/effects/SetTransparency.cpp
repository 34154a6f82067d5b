#include "effects/SetTransparency.h"

#include <algorithm>

#include "effects/EffectRows.h"

void SetTransparency(Bitmap& target, int strength) {
    const float f = float(double(std::clamp(strength, 0, 255)) / 255.0);
    uint32_t alpha[256];
    for (int a = 0; a < 256; ++a) {
        alpha[a] = uint32_t(float(a) * f) << 24;
    }
    const int width = target.Width();
    ForEachRow(target, 1, [&](uint32_t* row, int) {
        for (int x = 0; x < width; ++x) {
            row[x] = (row[x] & 0x00FFFFFFu) | alpha[row[x] >> 24];
        }
    });
}
