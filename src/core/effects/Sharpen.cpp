#include "effects/Sharpen.h"

#include <algorithm>
#include <vector>

#include "platform/Progress.h"

void Sharpen(Bitmap& target, CProgress* progress) {
    const int width = target.Width(), height = target.Height();
    if (width < 3 || height < 3) {
        return;
    }
    // Per row, the part of each sum that does not depend on the left neighbour (above is
    // final already, right and below are not yet touched) is taken for the whole row first;
    // only the left neighbour is then carried from pixel to pixel.
    // One value per byte of the row (those of the alpha bytes are not used): 6 x 255 at most,
    // -3 x 255 at least.
    std::vector<int16_t> partial(size_t(width) * 4);
    if (progress) {
        progress->SetTotal(height - 2);  // the first and the last row stay
    }
    for (int y = 1; y < height - 1 && !IsCancelled(progress); ++y) {
        const uint8_t* above = reinterpret_cast<const uint8_t*>(target.Row(y - 1));
        const uint8_t* below = reinterpret_cast<const uint8_t*>(target.Row(y + 1));
        uint8_t* row = reinterpret_cast<uint8_t*>(target.Row(y));
        int16_t* part = partial.data();
        for (int i = 4; i < 4 * (width - 1); ++i) {
            part[i] = int16_t(6 * row[i] - above[i] - row[i + 4] - below[i]);
        }
        int32_t left[3] = {row[0], row[1], row[2]};
        for (int x = 1; x < width - 1; ++x) {
            uint8_t* p = row + 4 * x;
            if (p[3] != 0) {
                for (int c = 0; c < 3; ++c) {
                    const int32_t v = part[4 * x + c] - left[c];
                    // A negative sum ends at 0 whichever way it is rounded.
                    p[c] = uint8_t(std::clamp(v / 2, 0, 255));
                }
            }
            left[0] = p[0];
            left[1] = p[1];
            left[2] = p[2];
        }
        AdvanceProgress(progress);
    }
}
