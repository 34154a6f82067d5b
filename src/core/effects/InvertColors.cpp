#include "effects/InvertColors.h"

#include "effects/EffectRows.h"

void InvertColors(Bitmap& target, const InvertParams& params) {
    const uint32_t mask = (params.red ? 0x00FF0000u : 0u) | (params.green ? 0x0000FF00u : 0u) |
                          (params.blue ? 0x000000FFu : 0u);
    const int width = target.Width();
    ForEachRow(target, 1, [&](uint32_t* row, int) {
        for (int x = 0; x < width; ++x) {
            row[x] ^= mask;
        }
    });
}
