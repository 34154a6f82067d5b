#include "effects/Emboss.h"

#include <algorithm>
#include <vector>

#include "effects/PixelMatrix.h"
#include "platform/Parallel.h"

namespace {

inline uint8_t AbsDiff(uint8_t a, uint8_t b) {
    return uint8_t(std::max(a, b) - std::min(a, b));
}

}  // namespace

bool Emboss(Bitmap& target) {
    const int width = target.Width(), height = target.Height();
    if (width < 3 || height < 3) {
        return true;
    }
    PixelMatrix copy;
    if (!copy.CopyFrom(target, PixelMatrix::Copy::Opaque)) {
        return false;
    }
    ParallelBands(height - 2, int64_t(width) * 12, [&](int first, int last) {
        std::vector<uint32_t> maxima(static_cast<size_t>(width));
        uint8_t* bytes = reinterpret_cast<uint8_t*>(maxima.data());
        for (int y = first + 1; y < last + 1; ++y) {
            const uint8_t* up = reinterpret_cast<const uint8_t*>(copy.Row(y - 1));
            const uint8_t* mid = reinterpret_cast<const uint8_t*>(copy.Row(y));
            const uint8_t* down = reinterpret_cast<const uint8_t*>(copy.Row(y + 1));
            // Byte by byte over the row (the alpha bytes' results are not used).
            for (int i = 4; i < 4 * (width - 1); ++i) {
                const uint8_t d1 = AbsDiff(up[i + 4], down[i - 4]);
                const uint8_t d2 = AbsDiff(down[i + 4], up[i - 4]);
                const uint8_t d3 = AbsDiff(up[i], down[i]);
                const uint8_t d4 = AbsDiff(mid[i + 4], mid[i - 4]);
                bytes[i] = std::max(std::max(d1, d2), std::max(d3, d4));
            }
            uint32_t* out = target.Row(y);
            const uint32_t* m = maxima.data();
            for (int x = 1; x < width - 1; ++x) {
                const uint32_t p = out[x];
                const uint32_t result = (p & 0xFF000000u) | (m[x] & 0x00FFFFFFu);
                out[x] = (p >> 24) == 0 ? p : result;
            }
        }
    });
    return true;
}
