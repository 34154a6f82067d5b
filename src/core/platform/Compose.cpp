#include "platform/Compose.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Parallel.h"

// The pixel loops are written so that the compiler vectorises them; on x86-64 they are also
// built for AVX2 and the best version is picked when the program starts. Not under the
// sanitizers: the picking runs before their runtimes start, and crashes under them.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && \
    !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define PICTORRA_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define PICTORRA_VECTOR_CLONES
#endif

namespace {

// A row of premultiplied colour in 0..255 units and alpha in 0..1, one array per channel.
struct RowAccumulator {
    explicit RowAccumulator(int width)
        : b(size_t(width)), g(size_t(width)), r(size_t(width)), a(size_t(width)) {}
    std::vector<float> b, g, r, a;
};

PICTORRA_VECTOR_CLONES
void LoadRow(const uint32_t* __restrict px, int n, float* __restrict b, float* __restrict g,
             float* __restrict r, float* __restrict a) {
    for (int i = 0; i < n; ++i) {
        const uint32_t p = px[i];
        const float alpha = float(p >> 24) * (1.0f / 255.0f);
        b[i] = float(p & 0xFF) * alpha;
        g[i] = float((p >> 8) & 0xFF) * alpha;
        r[i] = float((p >> 16) & 0xFF) * alpha;
        a[i] = alpha;
    }
}

PICTORRA_VECTOR_CLONES
void BlendIntoRow(const uint32_t* __restrict px, int n, float scale, float* __restrict b,
                  float* __restrict g, float* __restrict r, float* __restrict a) {
    const float k = scale * (1.0f / 255.0f);
    for (int i = 0; i < n; ++i) {
        const uint32_t p = px[i];
        const float sa = float(p >> 24) * k;
        const float inv = 1.0f - sa;
        b[i] = float(p & 0xFF) * sa + b[i] * inv;
        g[i] = float((p >> 8) & 0xFF) * sa + g[i] * inv;
        r[i] = float((p >> 16) & 0xFF) * sa + r[i] * inv;
        a[i] = sa + a[i] * inv;
    }
}

// The straight 8-bit pixel of one accumulator entry; its alpha byte is 0 when nothing visible
// was drawn there.
inline uint32_t PackStraight(float b, float g, float r, float alpha) {
    const float roundedAlpha = alpha * 255.0f + 0.5f;
    const float k = 1.0f / (alpha > 1e-6f ? alpha : 1.0f);
    const float fb = b * k + 0.5f, fg = g * k + 0.5f, fr = r * k + 0.5f;
    const uint32_t ob = uint32_t(int32_t(fb < 255.0f ? fb : 255.0f));
    const uint32_t og = uint32_t(int32_t(fg < 255.0f ? fg : 255.0f));
    const uint32_t orr = uint32_t(int32_t(fr < 255.0f ? fr : 255.0f));
    const uint32_t oa = uint32_t(int32_t(roundedAlpha < 255.0f ? roundedAlpha : 255.0f));
    return (oa << 24) | (orr << 16) | (og << 8) | ob;
}

// Branch-free, so that it vectorises: where the result rounds to alpha 0 the pixel keeps its
// bytes (nothing visible was drawn on it), colour included.
PICTORRA_VECTOR_CLONES
void StoreRow(uint32_t* __restrict px, int n, const float* __restrict b, const float* __restrict g,
              const float* __restrict r, const float* __restrict a) {
    for (int i = 0; i < n; ++i) {
        const uint32_t packed = PackStraight(b[i], g[i], r[i], a[i]);
        const uint32_t keep = 0u - uint32_t((packed >> 24) == 0);
        px[i] = (packed & ~keep) | (px[i] & keep);
    }
}

// As StoreRow over a destination that holds background everywhere: the old pixels are never
// read (fresh memory stays untouched until it is written once).
PICTORRA_VECTOR_CLONES
void StoreRowOnto(uint32_t* __restrict px, int n, const float* __restrict b,
                  const float* __restrict g, const float* __restrict r, const float* __restrict a,
                  uint32_t background) {
    for (int i = 0; i < n; ++i) {
        const uint32_t packed = PackStraight(b[i], g[i], r[i], a[i]);
        const uint32_t keep = 0u - uint32_t((packed >> 24) == 0);
        px[i] = (packed & ~keep) | (background & keep);
    }
}

void FillAccumulator(int n, uint32_t colour, float* b, float* g, float* r, float* a) {
    const float alpha = float(colour >> 24) * (1.0f / 255.0f);
    std::fill_n(b, n, float(colour & 0xFF) * alpha);
    std::fill_n(g, n, float((colour >> 8) & 0xFF) * alpha);
    std::fill_n(r, n, float((colour >> 16) & 0xFF) * alpha);
    std::fill_n(a, n, alpha);
}

// The part of source s that lies on destination row y, as [x0, x1) in destination pixels;
// false when the row misses it.
bool SourceSpan(const ComposeSource& s, int y, int dstWidth, int& x0, int& x1) {
    const int sy = y - s.y;
    if (s.bitmap == nullptr || s.alpha <= 0.0f || sy < 0 || sy >= s.bitmap->Height()) {
        return false;
    }
    x0 = std::max(0, s.x);
    x1 = std::min(dstWidth, s.x + s.bitmap->Width());
    return x0 < x1;
}

}  // namespace

void ComposeOver(Bitmap& dst, std::span<const ComposeSource> sources,
                 std::optional<uint32_t> background) {
    const int width = dst.Width();
    // Without a background, rows outside every source are left alone.
    int top = 0, bottom = dst.Height();
    if (!background) {
        top = dst.Height();
        bottom = 0;
        for (const auto& s : sources) {
            if (s.bitmap && s.alpha > 0.0f) {
                top = std::min(top, std::max(0, s.y));
                bottom = std::max(bottom, std::min(dst.Height(), s.y + s.bitmap->Height()));
            }
        }
        if (top >= bottom) {
            return;
        }
    }
    const int64_t costPerRow = int64_t(width) * int64_t(sources.size() + 1);
    ParallelBands(bottom - top, costPerRow, [&](int first, int last) {
        RowAccumulator acc(width);
        for (int y = top + first; y < top + last; ++y) {
            int lo = width, hi = 0;
            for (const auto& s : sources) {
                int x0, x1;
                if (SourceSpan(s, y, width, x0, x1)) {
                    lo = std::min(lo, x0);
                    hi = std::max(hi, x1);
                }
            }
            uint32_t* row = dst.Row(y);
            if (lo >= hi) {
                if (background) {
                    std::fill_n(row, width, *background);
                }
                continue;
            }
            if (background) {
                std::fill_n(row, lo, *background);
                std::fill_n(row + hi, width - hi, *background);
                FillAccumulator(hi - lo, *background, acc.b.data(), acc.g.data(), acc.r.data(),
                                acc.a.data());
            } else {
                LoadRow(row + lo, hi - lo, acc.b.data(), acc.g.data(), acc.r.data(), acc.a.data());
            }
            for (const auto& s : sources) {
                int x0, x1;
                if (!SourceSpan(s, y, width, x0, x1)) {
                    continue;
                }
                const uint32_t* src = s.bitmap->Row(y - s.y) + (x0 - s.x);
                const size_t o = size_t(x0 - lo);
                BlendIntoRow(src, x1 - x0, std::min(s.alpha, 1.0f), acc.b.data() + o,
                             acc.g.data() + o, acc.r.data() + o, acc.a.data() + o);
            }
            if (background) {
                StoreRowOnto(row + lo, hi - lo, acc.b.data(), acc.g.data(), acc.r.data(),
                             acc.a.data(), *background);
            } else {
                StoreRow(row + lo, hi - lo, acc.b.data(), acc.g.data(), acc.r.data(), acc.a.data());
            }
        }
    });
}

void LoadPremultiplied(const uint32_t* px, int n, float* b, float* g, float* r, float* a) {
    LoadRow(px, n, b, g, r, a);
}

void BlendPremultiplied(const uint32_t* px, int n, float alpha, float* b, float* g, float* r,
                        float* a) {
    BlendIntoRow(px, n, alpha, b, g, r, a);
}

void BlendRow(uint32_t* dst, const uint32_t* src, int n, float alpha) {
    if (n <= 0 || alpha <= 0.0f) {
        return;
    }
    // Small stack buffers keep the row path free of allocations for short spans.
    constexpr int kChunk = 512;
    float b[kChunk], g[kChunk], r[kChunk], a[kChunk];
    for (int i = 0; i < n; i += kChunk) {
        const int m = std::min(kChunk, n - i);
        LoadRow(dst + i, m, b, g, r, a);
        BlendIntoRow(src + i, m, std::min(alpha, 1.0f), b, g, r, a);
        StoreRow(dst + i, m, b, g, r, a);
    }
}

void CopyRow(uint32_t* dst, const uint32_t* src, int n, float alpha) {
    if (n <= 0) {
        return;
    }
    if (alpha >= 1.0f) {
        std::memmove(dst, src, size_t(n) * 4);
        return;
    }
    const float k = std::max(alpha, 0.0f);
    for (int i = 0; i < n; ++i) {
        const uint32_t p = src[i];
        const uint32_t a = uint32_t(float(p >> 24) * k + 0.5f);
        dst[i] = (std::min(a, 255u) << 24) | (p & 0x00FFFFFF);
    }
}
