#include "effects/Mosaic.h"

#include <algorithm>

#include "platform/Parallel.h"

std::vector<std::pair<int, int>> MosaicRuns(int length, int size) {
    std::vector<std::pair<int, int>> runs;
    if (length <= 0 || size <= 0) {
        return runs;
    }
    const int n = length / size;
    const int origin = n != 0 ? (length % n) / 2 : length;
    const int blocks = origin < length - size ? (length - size - origin - 1) / size + 1 : 0;
    if (blocks == 0) {
        for (int first = 0; first < length; first += size) {
            runs.emplace_back(first, std::min(first + size, length));
        }
        return runs;
    }
    if (origin > 0) {
        runs.emplace_back(0, origin);
    }
    for (int k = 0; k < blocks; ++k) {
        runs.emplace_back(origin + k * size, origin + (k + 1) * size);
    }
    runs.emplace_back(origin + blocks * size, length);
    return runs;
}

void Mosaic(Bitmap& target, int size, CProgress* progress) {
    if (size < 2) {
        return;
    }
    const auto columns = MosaicRuns(target.Width(), size);
    const auto rows = MosaicRuns(target.Height(), size);
    ParallelBands(int(rows.size()), int64_t(target.Width()) * size, [&](int first, int last) {
        for (int r = first; r < last && !IsCancelled(progress); ++r) {
            const auto [top, bottom] = rows[size_t(r)];
            const int sampleY = top + (bottom - top) / 2;
            for (const auto& [left, right] : columns) {
                const uint32_t colour =
                    target.GetPixel(left + (right - left) / 2, sampleY) & 0x00FFFFFFu;
                for (int y = top; y < bottom; ++y) {
                    uint32_t* row = target.Row(y);
                    for (int x = left; x < right; ++x) {
                        const uint32_t p = row[x];
                        row[x] = (p >> 24) == 0 ? p : (p & 0xFF000000u) | colour;
                    }
                }
            }
            AdvanceProgress(progress, bottom - top);
        }
    });
}
