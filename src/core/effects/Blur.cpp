#include "effects/Blur.h"

#include <algorithm>
#include <vector>

#include "effects/RowBands.h"

namespace {

// Red, green, blue sums and the count of contributors, one plane each. Sums stay below 2^16
// (at most 81 x 255), so 16 bits hold them and wrapping arithmetic keeps differences exact.
struct Planes {
    std::vector<uint16_t> r, g, b, n;
    explicit Planes(size_t size) : r(size), g(size), b(size), n(size) {}
};

// A row into planes of the pixels that contribute (not fully transparent, no colour channel
// at 0; the others are all 0), at offset h of planes padded with h zeros on each side.
// Outside the picture everything reads as 0, which contributes nothing, so padding with zeros
// is the same as clipping the window.
void Split(const uint32_t* __restrict src, int width, uint16_t* __restrict r,
           uint16_t* __restrict g, uint16_t* __restrict b, uint16_t* __restrict n) {
    for (int x = 0; x < width; ++x) {
        const uint32_t v = src[x];
        const uint16_t counts = (v & 0xFF000000u) != 0 && (v & 0x00FF0000u) != 0 &&
                                (v & 0x0000FF00u) != 0 && (v & 0x000000FFu) != 0;
        r[x] = uint16_t(counts * ((v >> 16) & 0xFF));
        g[x] = uint16_t(counts * ((v >> 8) & 0xFF));
        b[x] = uint16_t(counts * (v & 0xFF));
        n[x] = counts;
    }
}

// out[x] = in[x] + ... + in[x + taps - 1].
void WindowSums(const uint16_t* __restrict in, uint16_t* __restrict out, int width, int taps) {
    for (int x = 0; x < width; ++x) {
        out[x] = in[x];
    }
    for (int i = 1; i < taps; ++i) {
        const uint16_t* __restrict from = in + i;
        for (int x = 0; x < width; ++x) {
            out[x] = uint16_t(out[x] + from[x]);
        }
    }
}

// column += incoming - outgoing (either may be null).
void Slide(uint16_t* __restrict column, const uint16_t* __restrict incoming,
           const uint16_t* __restrict outgoing, int width) {
    if (incoming) {
        for (int x = 0; x < width; ++x) {
            column[x] = uint16_t(column[x] + incoming[x]);
        }
    }
    if (outgoing) {
        for (int x = 0; x < width; ++x) {
            column[x] = uint16_t(column[x] - outgoing[x]);
        }
    }
}

void WriteMeans(const uint16_t* __restrict r, const uint16_t* __restrict g,
                const uint16_t* __restrict b, const uint16_t* __restrict n,
                uint32_t* __restrict out, int width) {
    for (int x = 0; x < width; ++x) {
        // Exact: a mean that is not whole lies at least 1/81 from the next whole number, far
        // more than a float's error on numbers below 2^16.
        const float d = n[x] != 0 ? float(n[x]) : 1.0f;
        const uint32_t mr = uint32_t(float(r[x]) / d), mg = uint32_t(float(g[x]) / d),
                       mb = uint32_t(float(b[x]) / d);
        const uint32_t p = out[x];
        const uint32_t result = (p & 0xFF000000u) | mr << 16 | mg << 8 | mb;
        out[x] = (p >> 24) == 0 ? p : result;
    }
}

// Row y's window sums along x into sums.
void RowSums(const uint32_t* row, int width, int h, Planes& padded, Planes& sums) {
    const int taps = 2 * h + 1;
    Split(row, width, padded.r.data() + h, padded.g.data() + h, padded.b.data() + h,
          padded.n.data() + h);
    WindowSums(padded.r.data(), sums.r.data(), width, taps);
    WindowSums(padded.g.data(), sums.g.data(), width, taps);
    WindowSums(padded.b.data(), sums.b.data(), width, taps);
    WindowSums(padded.n.data(), sums.n.data(), width, taps);
}

void SlideAll(Planes& column, const Planes* incoming, const Planes* outgoing, int width) {
    auto plane = [](const Planes* p, std::vector<uint16_t> Planes::*member) {
        return p ? (p->*member).data() : nullptr;
    };
    for (auto member : {&Planes::r, &Planes::g, &Planes::b, &Planes::n}) {
        Slide((column.*member).data(), plane(incoming, member), plane(outgoing, member), width);
    }
}

}  // namespace

bool IsBlurSize(int size) {
    return std::find(std::begin(kBlurSizes), std::end(kBlurSizes), size) != std::end(kBlurSizes);
}

bool Blur(Bitmap& target, int size, CProgress* progress) {
    if (!IsBlurSize(size)) {
        return false;
    }
    const int width = target.Width(), height = target.Height(), h = size / 2;
    ForEachBandWithHalo(target, h, 12, progress, [&](const BandRows& source) {
        const int first = source.First(), last = source.Last();
        // Row sums of rows first - h .. last + h, kept in a ring of 2h + 1: the row that
        // enters the window takes the slot of the one that leaves it. A row's sums are taken
        // before the band overwrites it.
        const int ringSize = 2 * h + 1;
        std::vector<Planes> ring(static_cast<size_t>(ringSize), Planes{static_cast<size_t>(width)});
        Planes padded{static_cast<size_t>(width + 2 * h)};
        Planes column{static_cast<size_t>(width)};
        auto slot = [&](int y) -> Planes& { return ring[size_t((y + ringSize) % ringSize)]; };
        for (int y = std::max(0, first - h); y <= std::min(first + h, height - 1); ++y) {
            RowSums(source.Row(y), width, h, padded, slot(y));
            SlideAll(column, &slot(y), nullptr, width);
        }
        for (int y = first; y < last && !source.IsCancelled(); ++y) {
            if (y > first) {
                if (y - h - 1 >= 0) {
                    SlideAll(column, nullptr, &slot(y - h - 1), width);
                }
                if (y + h < height) {
                    Planes& incoming = slot(y + h);  // the slot row y - h - 1 had
                    RowSums(source.Row(y + h), width, h, padded, incoming);
                    SlideAll(column, &incoming, nullptr, width);
                }
            }
            WriteMeans(column.r.data(), column.g.data(), column.b.data(), column.n.data(),
                       target.Row(y), width);
            source.RowDone();
        }
    });
    return true;
}
