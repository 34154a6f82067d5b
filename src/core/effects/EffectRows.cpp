#include "effects/EffectRows.h"

void ApplyChannelTables(Bitmap& target, const ChannelTables& tables) {
    const int width = target.Width();
    ForEachRow(target, 3, [&](uint32_t* row, int) {
        uint8_t* p = reinterpret_cast<uint8_t*>(row);
        for (int x = 0; x < width; ++x, p += 4) {
            p[0] = tables.blue[p[0]];
            p[1] = tables.green[p[1]];
            p[2] = tables.red[p[2]];
        }
    });
}
