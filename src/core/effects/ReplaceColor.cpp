#include "effects/ReplaceColor.h"

#include "effects/EffectRows.h"

void ReplaceColor(Bitmap& target, uint32_t from, uint32_t to) {
    const uint32_t colour = from & 0x00FFFFFFu;
    const int width = target.Width();
    ForEachRow(target, 1, [&](uint32_t* row, int) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = row[x];
            if ((p & 0x00FFFFFFu) == colour && (p >> 24) != 0) {
                row[x] = to;
            }
        }
    });
}
