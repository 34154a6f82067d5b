#include "effects/SwapChannels.h"

#include "effects/EffectRows.h"

void SwapChannels(Bitmap& target, const SwapParams& params) {
    if (int(params.red) + int(params.green) + int(params.blue) != 2) {
        return;
    }
    // The two flagged channels' bit positions: the lower one moves up by distance, the upper
    // one down by the same.
    const int low = params.blue ? 0 : 8;
    const int high = params.red ? 16 : 8;
    const int distance = high - low;
    const uint32_t lowMask = 0xFFu << low, highMask = 0xFFu << high;
    const uint32_t keep = ~(lowMask | highMask);
    const int width = target.Width();
    ForEachRow(target, 1, [&](uint32_t* row, int) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = row[x];
            row[x] = (p & keep) | ((p & lowMask) << distance) | ((p & highMask) >> distance);
        }
    });
}
