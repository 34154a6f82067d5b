#include "effects/Convolve.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "effects/RowBands.h"

namespace {

// Pixels per pass of the interior loop: a chunk's four sums stay in the first-level cache.
constexpr int kChunk = 512;

uint32_t Finish(int32_t s, int32_t sW) {
    return uint32_t(std::clamp(sW != 0 ? s / sW : s, 0, 255));
}

// The pixel's result with its own alpha, or the pixel itself when it is fully transparent.
inline uint32_t WithAlpha(uint32_t pixel, uint32_t rgb) {
    return (pixel >> 24) == 0 ? pixel : (pixel & 0xFF000000u) | (rgb & 0x00FFFFFFu);
}

// ConvolvePixel over any source with Width(), Height() and Get(x, y).
template <typename Source>
uint32_t ConvolveAt(int x, int y, const int32_t* kernel, int kw, int kh, const Source& source,
                    float factor) {
    const int hx = (kw - 1) / 2, hy = (kh - 1) / 2;
    const int x0 = std::max(0, x - hx), x1 = std::min(x + hx, source.Width() - 1);
    const int y0 = std::max(0, y - hy), y1 = std::min(y + hy, source.Height() - 1);
    int32_t sR = 0, sG = 0, sB = 0, sW = 0;
    for (int sy = y0, row = 0; sy <= y1 && row < kh; ++sy, ++row) {
        for (int sx = x0, column = 0; sx <= x1 && column < kw; ++sx, ++column) {
            const uint32_t p = source.Get(sx, sy);
            const int32_t r = int32_t(ArgbRed(p)), g = int32_t(ArgbGreen(p)),
                          b = int32_t(ArgbBlue(p));
            if (r == 0 || g == 0 || b == 0) {
                continue;
            }
            const int32_t w = kernel[column + row * kw];
            sR += r * w;
            sG += g * w;
            sB += b * w;
            sW += w;
        }
    }
    const uint32_t r = Finish(int32_t(factor * float(sR)), sW);
    const uint32_t g = Finish(int32_t(factor * float(sG)), sW);
    const uint32_t b = Finish(int32_t(factor * float(sB)), sW);
    return 0xFF000000u | r << 16 | g << 8 | b;
}

// One row of the picture as planes of red, green, blue and "contributes" (0 or 1). The copy
// holds 0 for every pixel that does not contribute, so the sums need no test per tap.
struct PlanarRow {
    std::vector<int16_t> r, g, b, n;
    explicit PlanarRow(size_t width) : r(width), g(width), b(width), n(width) {}
};

void Split(const uint32_t* __restrict src, int width, int16_t* __restrict r, int16_t* __restrict g,
           int16_t* __restrict b, int16_t* __restrict n) {
    for (int x = 0; x < width; ++x) {
        const uint32_t v = src[x];
        const int16_t counts = (v & 0xFF000000u) != 0 && (v & 0x00FF0000u) != 0 &&
                               (v & 0x0000FF00u) != 0 && (v & 0x000000FFu) != 0;
        r[x] = int16_t(counts * int16_t((v >> 16) & 0xFF));
        g[x] = int16_t(counts * int16_t((v >> 8) & 0xFF));
        b[x] = int16_t(counts * int16_t(v & 0xFF));
        n[x] = counts;
    }
}

// The rows of the current window, split, as a source for ConvolveAt at the borders.
struct RingSource {
    const std::vector<PlanarRow>* ring;
    int width, height;
    int Width() const { return width; }
    int Height() const { return height; }
    uint32_t Get(int x, int y) const {
        const PlanarRow& p = (*ring)[size_t(y) % ring->size()];
        const size_t i = size_t(x);
        return 0xFF000000u | uint32_t(p.r[i]) << 16 | uint32_t(p.g[i]) << 8 | uint32_t(p.b[i]);
    }
};

template <typename Sum>
void AddTap(const int16_t* __restrict in, Sum* __restrict sum, int n, Sum w) {
    for (int t = 0; t < n; ++t) {
        sum[t] = Sum(sum[t] + w * in[t]);
    }
}

// The results of a chunk: each channel sum divided by sW when sW != 0 (float division is
// exact here: the sums are far below 2^24, and a quotient that is not whole lies at least
// 1 / |sW| from the next whole number), limited to 0..255, with the pixel's own alpha.
template <typename Sum>
void WriteChunk(const Sum* __restrict sR, const Sum* __restrict sG, const Sum* __restrict sB,
                const Sum* __restrict sW, uint32_t* __restrict dst, int n) {
    for (int t = 0; t < n; ++t) {
        const float d = sW[t] != 0 ? float(sW[t]) : 1.0f;
        const int32_t r = std::clamp(int32_t(float(sR[t]) / d), 0, 255);
        const int32_t g = std::clamp(int32_t(float(sG[t]) / d), 0, 255);
        const int32_t b = std::clamp(int32_t(float(sB[t]) / d), 0, 255);
        const uint32_t p = dst[t];
        const uint32_t result = (p & 0xFF000000u) | uint32_t(r << 16 | g << 8 | b);
        dst[t] = (p >> 24) == 0 ? p : result;
    }
}

// Columns [first, last) of one output row whose windows lie inside the picture, so the kernel
// is never shifted; rows[j] is the source row y - hy + j. Sum is int16_t when no sum can
// leave its range, for twice the lanes.
template <typename Sum>
void ConvolveInterior(const PlanarRow* const* rows, const int32_t* kernel, int kw, int kh,
                      int first, int last, uint32_t* out) {
    const int hx = (kw - 1) / 2;
    alignas(64) Sum sR[kChunk], sG[kChunk], sB[kChunk], sW[kChunk];
    for (int x = first; x < last; x += kChunk) {
        const int n = std::min(kChunk, last - x);
        std::fill_n(sR, n, Sum(0));
        std::fill_n(sG, n, Sum(0));
        std::fill_n(sB, n, Sum(0));
        std::fill_n(sW, n, Sum(0));
        for (int j = 0; j < kh; ++j) {
            const PlanarRow& row = *rows[j];
            for (int i = 0; i < kw; ++i) {
                const Sum w = Sum(kernel[i + j * kw]);
                if (w == 0) {
                    continue;
                }
                const size_t at = size_t(x - hx + i);
                AddTap(row.r.data() + at, sR, n, w);
                AddTap(row.g.data() + at, sG, n, w);
                AddTap(row.b.data() + at, sB, n, w);
                AddTap(row.n.data() + at, sW, n, w);
            }
        }
        WriteChunk(sR, sG, sB, sW, out + x, n);
    }
}

}  // namespace

uint32_t ConvolvePixel(int x, int y, const int32_t* kernel, int kw, int kh,
                       const PixelMatrix& source, float factor) {
    return ConvolveAt(x, y, kernel, kw, kh, source, factor);
}

void ConvolveBitmap(Bitmap& target, const int32_t* kernel, int kw, int kh, CProgress* progress) {
    const int width = target.Width(), height = target.Height();
    const int hx = (kw - 1) / 2, hy = (kh - 1) / 2;
    // The unshifted kernel covers columns hx .. W - 1 - hx; an even-sized kernel has its last
    // column unused everywhere, which only the general routine handles.
    const bool oddKernel = kw % 2 == 1 && kh % 2 == 1;
    int64_t weights = 0;
    for (int k = 0; k < kw * kh; ++k) {
        weights += std::abs(int64_t(kernel[k]));
    }
    const bool narrowSums = weights * 255 <= INT16_MAX;
    ForEachBandWithHalo(target, hy, int64_t(kw) * kh, progress, [&](const BandRows& source) {
        // The source rows of the current window, split into planes, in a ring of kh rows:
        // each row is split before the band overwrites it.
        std::vector<PlanarRow> ring(static_cast<size_t>(kh), PlanarRow{static_cast<size_t>(width)});
        std::vector<const PlanarRow*> rows(static_cast<size_t>(kh));
        const RingSource window{&ring, width, height};
        int splitUpTo = std::max(0, source.First() - hy) - 1;
        for (int y = source.First(); y < source.Last() && !source.IsCancelled(); ++y) {
            for (int r = splitUpTo + 1; r <= std::min(y + hy, height - 1); ++r) {
                PlanarRow& p = ring[size_t(r % kh)];
                Split(source.Row(r), width, p.r.data(), p.g.data(), p.b.data(), p.n.data());
                splitUpTo = r;
            }
            uint32_t* out = target.Row(y);
            auto border = [&](int first, int last) {
                for (int x = first; x < last; ++x) {
                    out[x] = WithAlpha(out[x], ConvolveAt(x, y, kernel, kw, kh, window, 1.0f));
                }
            };
            const bool inside = oddKernel && y >= hy && y < height - hy && width > 2 * hx;
            if (!inside) {
                border(0, width);
                source.RowDone();
                continue;
            }
            for (int j = 0; j < kh; ++j) {
                rows[size_t(j)] = &ring[size_t((y - hy + j) % kh)];
            }
            border(0, hx);
            if (narrowSums) {
                ConvolveInterior<int16_t>(rows.data(), kernel, kw, kh, hx, width - hx, out);
            } else {
                ConvolveInterior<int32_t>(rows.data(), kernel, kw, kh, hx, width - hx, out);
            }
            border(width - hx, width);
            source.RowDone();
        }
    });
}
