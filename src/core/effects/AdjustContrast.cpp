#include "effects/AdjustContrast.h"

#include <algorithm>

#include "effects/EffectRows.h"

float ContrastFactor(int position) {
    return float((double(position) / 100.0 - 0.5) * 2.0 + 1.0);
}

void AdjustContrast(Bitmap& target, const ContrastParams& params) {
    auto fill = [](std::array<uint8_t, 256>& table, int position) {
        const float f = ContrastFactor(position);
        for (int c = 0; c < 256; ++c) {
            table[size_t(c)] = uint8_t(std::clamp(int(float(c - 128) * f) + 128, 0, 255));
        }
    };
    ChannelTables tables;
    fill(tables.red, params.red);
    fill(tables.green, params.green);
    fill(tables.blue, params.blue);
    ApplyChannelTables(target, tables);
}
