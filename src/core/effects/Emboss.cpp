#include "effects/Emboss.h"

#include <algorithm>
#include <vector>

#include "effects/RowBands.h"

namespace {

inline uint8_t AbsDiff(uint8_t a, uint8_t b) {
    return uint8_t(std::max(a, b) - std::min(a, b));
}

// The largest of the four differences for the count bytes starting at byte 4 of a row (the
// pixel at x = 1), byte by byte; the alpha bytes' results are not used.
void RowMaxima(const uint8_t* __restrict up, const uint8_t* __restrict mid,
               const uint8_t* __restrict down, uint8_t* __restrict out, int count) {
    for (int i = 4; i < count + 4; ++i) {
        const uint8_t d1 = AbsDiff(up[i + 4], down[i - 4]);
        const uint8_t d2 = AbsDiff(down[i + 4], up[i - 4]);
        const uint8_t d3 = AbsDiff(up[i], down[i]);
        const uint8_t d4 = AbsDiff(mid[i + 4], mid[i - 4]);
        out[i] = std::max(std::max(d1, d2), std::max(d3, d4));
    }
}

// Pixels 1 .. width - 2 take the maxima with their own alpha, unless fully transparent.
void WriteRow(const uint32_t* __restrict maxima, uint32_t* __restrict row, int width) {
    for (int x = 1; x < width - 1; ++x) {
        const uint32_t p = row[x];
        const uint32_t result = (p & 0xFF000000u) | (maxima[x] & 0x00FFFFFFu);
        row[x] = (p >> 24) == 0 ? p : result;
    }
}

}  // namespace

void Emboss(Bitmap& target, CProgress* progress) {
    const int width = target.Width(), height = target.Height();
    if (width < 3 || height < 3) {
        return;
    }
    if (progress) {
        progress->SetTotal(height - 2);  // the first and the last row stay
    }
    ForEachBandWithHalo(target, 1, 12, progress, [&](const BandRows& source) {
        // Rows y - 1, y and y + 1 as the copy holds them (a fully transparent pixel is black),
        // in a ring of three; each is taken before the band overwrites it.
        std::vector<uint32_t> ring[3];
        for (auto& r : ring) {
            r.resize(size_t(width));
        }
        auto take = [&](int y) {
            const uint32_t* from = source.Row(y);
            uint32_t* to = ring[y % 3].data();
            for (int x = 0; x < width; ++x) {
                to[x] = (from[x] >> 24) == 0 ? 0u : from[x];
            }
        };
        std::vector<uint32_t> maxima(static_cast<size_t>(width));
        uint8_t* bytes = reinterpret_cast<uint8_t*>(maxima.data());
        const int first = std::max(1, source.First()), last = std::min(height - 1, source.Last());
        if (first >= last) {
            return;
        }
        take(first - 1);
        take(first);
        for (int y = first; y < last && !source.IsCancelled(); ++y) {
            take(y + 1);
            RowMaxima(reinterpret_cast<const uint8_t*>(ring[(y - 1) % 3].data()),
                      reinterpret_cast<const uint8_t*>(ring[y % 3].data()),
                      reinterpret_cast<const uint8_t*>(ring[(y + 1) % 3].data()), bytes,
                      4 * (width - 2));
            WriteRow(maxima.data(), target.Row(y), width);
            source.RowDone();
        }
    });
}
