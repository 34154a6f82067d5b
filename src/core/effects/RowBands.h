#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Parallel.h"

// For neighbourhood filters that write their result into the picture they read, band by band
// over the cores, without a copy of the whole picture: each band reads its own rows before it
// overwrites them, and the rows within `halo` of a band boundary are copied before any band
// starts, so a band never reads a neighbour's row after the neighbour wrote it.
class BandRows {
public:
    // The untouched row y, for y in [First() - halo, Last() + halo) within the picture. A row
    // of the band itself stays untouched only until the band writes it.
    const uint32_t* Row(int y) const {
        if (y >= m_nFirst && y < m_nLast) {
            return m_pBitmap->Row(y);
        }
        const std::vector<uint32_t>& rows = y < m_nFirst ? *m_pAbove : *m_pBelow;
        const int top = y < m_nFirst ? m_nFirst - m_nHalo : m_nLast - m_nHalo;
        return rows.data() + size_t(y - std::max(0, top)) * size_t(m_pBitmap->Width());
    }
    int First() const { return m_nFirst; }
    int Last() const { return m_nLast; }
    // The run's token (null when the work cannot be cancelled): a band looks at it before
    // each row and counts each row it wrote.
    bool IsCancelled() const { return ::IsCancelled(m_pProgress); }
    void RowDone() const { AdvanceProgress(m_pProgress); }

private:
    template <typename Body>
    friend void ForEachBandWithHalo(Bitmap& target, int halo, int64_t costPerPixel,
                                    CProgress* progress, Body&& body);

    const Bitmap* m_pBitmap = nullptr;
    int m_nFirst = 0, m_nLast = 0, m_nHalo = 0;
    const std::vector<uint32_t>* m_pAbove = nullptr;  // rows [first - halo, first + halo)
    const std::vector<uint32_t>* m_pBelow = nullptr;  // rows [last - halo, last + halo)
    CProgress* m_pProgress = nullptr;
};

// Runs body(rows) once per band of target's rows (rows.First() .. rows.Last() - 1), the bands
// on the cores. costPerPixel is a rough operation count, so that small pictures stay on the
// calling thread. With progress (which may be null), the bands are expected to stop early
// once it is cancelled (BandRows::IsCancelled) and to count their rows (BandRows::RowDone).
template <typename Body>
void ForEachBandWithHalo(Bitmap& target, int halo, int64_t costPerPixel, CProgress* progress,
                         Body&& body) {
    const int width = target.Width(), height = target.Height();
    const int64_t cost = int64_t(width) * height * std::max<int64_t>(1, costPerPixel);
    const int cores = CThreadPool::CoreCount();
    const int bands = int(
        std::clamp<int64_t>(cost / (int64_t(1) << 18), 1, std::min(cores, std::max(1, height))));
    const int step = (height + bands - 1) / bands;
    // The rows around each boundary between two bands, before anything is written.
    std::vector<std::vector<uint32_t>> boundaries(size_t(bands + 1));
    for (int b = 1; b < bands; ++b) {
        const int top = std::max(0, b * step - halo), bottom = std::min(height, b * step + halo);
        std::vector<uint32_t>& rows = boundaries[size_t(b)];
        rows.resize(size_t(std::max(0, bottom - top)) * size_t(width));
        for (int y = top; y < bottom; ++y) {
            std::memcpy(rows.data() + size_t(y - top) * size_t(width), target.Row(y),
                        size_t(width) * 4);
        }
    }
    ParallelBands(
        bands, int64_t(1) << 20,
        [&](int firstBand, int lastBand) {
            for (int b = firstBand; b < lastBand; ++b) {
                BandRows rows;
                rows.m_pBitmap = &target;
                rows.m_nFirst = std::min(height, b * step);
                rows.m_nLast = std::min(height, (b + 1) * step);
                rows.m_nHalo = halo;
                rows.m_pAbove = &boundaries[size_t(b)];
                rows.m_pBelow = &boundaries[size_t(b + 1)];
                rows.m_pProgress = progress;
                if (rows.m_nFirst < rows.m_nLast) {
                    body(rows);
                }
            }
        },
        1);
}

template <typename Body>
void ForEachBandWithHalo(Bitmap& target, int halo, int64_t costPerPixel, Body&& body) {
    ForEachBandWithHalo(target, halo, costPerPixel, nullptr, std::forward<Body>(body));
}
