#include "effects/Convolve.h"

#include <algorithm>

#include "platform/Parallel.h"

namespace {

// Pixels per pass of the interior loop: the four sums of a chunk stay in the first-level cache.
constexpr int kChunk = 256;

uint32_t Finish(int32_t s, int32_t sW) {
    return uint32_t(std::clamp(sW != 0 ? s / sW : s, 0, 255));
}

// The pixel's result with its own alpha, or the pixel itself when it is fully transparent.
inline uint32_t WithAlpha(uint32_t pixel, uint32_t rgb) {
    return (pixel >> 24) == 0 ? pixel : (pixel & 0xFF000000u) | (rgb & 0x00FFFFFFu);
}

// Columns [first, last) of row y, every one of whose windows lies inside the picture, so the
// kernel is never shifted. The copy holds 0 for every pixel that does not contribute (a
// contributing pixel is never 0), so the loops need no test and vectorise.
void ConvolveInterior(const PixelMatrix& source, const int32_t* kernel, int kw, int kh, int y,
                      int first, int last, uint32_t* out) {
    const int hx = (kw - 1) / 2, hy = (kh - 1) / 2;
    alignas(64) int32_t sR[kChunk], sG[kChunk], sB[kChunk], sW[kChunk];
    for (int x = first; x < last; x += kChunk) {
        const int n = std::min(kChunk, last - x);
        std::fill_n(sR, n, 0);
        std::fill_n(sG, n, 0);
        std::fill_n(sB, n, 0);
        std::fill_n(sW, n, 0);
        for (int j = 0; j < kh; ++j) {
            const uint32_t* row = source.Row(y - hy + j) + (x - hx);
            for (int i = 0; i < kw; ++i) {
                const int32_t w = kernel[i + j * kw];
                if (w == 0) {
                    continue;
                }
                const uint32_t* src = row + i;
                for (int t = 0; t < n; ++t) {
                    const uint32_t v = src[t];
                    sR[t] += w * int32_t((v >> 16) & 0xFF);
                    sG[t] += w * int32_t((v >> 8) & 0xFF);
                    sB[t] += w * int32_t(v & 0xFF);
                    sW[t] += v != 0 ? w : 0;
                }
            }
        }
        uint32_t* dst = out + x;
        for (int t = 0; t < n; ++t) {
            // Float division is exact here: the sums are far below 2^24 and a quotient that is
            // not whole lies at least 1 / |sW| away from the next whole number.
            const float d = sW[t] != 0 ? float(sW[t]) : 1.0f;
            const int32_t r = std::clamp(int32_t(float(sR[t]) / d), 0, 255);
            const int32_t g = std::clamp(int32_t(float(sG[t]) / d), 0, 255);
            const int32_t b = std::clamp(int32_t(float(sB[t]) / d), 0, 255);
            const uint32_t p = dst[t];
            const uint32_t result = (p & 0xFF000000u) | uint32_t(r << 16 | g << 8 | b);
            dst[t] = (p >> 24) == 0 ? p : result;
        }
    }
}

}  // namespace

uint32_t ConvolvePixel(int x, int y, const int32_t* kernel, int kw, int kh,
                       const PixelMatrix& source, float factor) {
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

bool ConvolveBitmap(Bitmap& target, const int32_t* kernel, int kw, int kh) {
    PixelMatrix source;
    if (!source.CopyFrom(target, PixelMatrix::Copy::Contributors)) {
        return false;
    }
    const int width = target.Width(), height = target.Height();
    const int hx = (kw - 1) / 2, hy = (kh - 1) / 2;
    // The unshifted kernel covers columns hx .. W - 1 - hx; an even-sized kernel has its last
    // column unused everywhere, which only the general routine handles.
    const bool oddKernel = kw % 2 == 1 && kh % 2 == 1;
    auto border = [&](uint32_t* out, int y, int first, int last) {
        for (int x = first; x < last; ++x) {
            out[x] = WithAlpha(out[x], ConvolvePixel(x, y, kernel, kw, kh, source, 1.0f));
        }
    };
    ParallelBands(height, int64_t(width) * kw * kh, [&](int firstRow, int lastRow) {
        for (int y = firstRow; y < lastRow; ++y) {
            uint32_t* out = target.Row(y);
            const bool inside = oddKernel && y >= hy && y < height - hy && width > 2 * hx;
            if (!inside) {
                border(out, y, 0, width);
                continue;
            }
            border(out, y, 0, hx);
            ConvolveInterior(source, kernel, kw, kh, y, hx, width - hx, out);
            border(out, y, width - hx, width);
        }
    });
    return true;
}
