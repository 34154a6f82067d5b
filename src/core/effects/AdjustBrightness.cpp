#include "effects/AdjustBrightness.h"

#include <algorithm>

#include "effects/EffectRows.h"

int BrightnessOffset(int position) {
    return -150 - int(double(position) / 100.0 * -300.0);
}

void AdjustBrightness(Bitmap& target, const BrightnessParams& params) {
    ChannelTables tables;
    const int offsets[3] = {BrightnessOffset(params.red), BrightnessOffset(params.green),
                            BrightnessOffset(params.blue)};
    for (int c = 0; c < 256; ++c) {
        tables.red[c] = uint8_t(std::clamp(c + offsets[0], 0, 255));
        tables.green[c] = uint8_t(std::clamp(c + offsets[1], 0, 255));
        tables.blue[c] = uint8_t(std::clamp(c + offsets[2], 0, 255));
    }
    ApplyChannelTables(target, tables);
}
