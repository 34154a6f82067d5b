#include "effects/Blur.h"

#include <algorithm>
#include <vector>

#include "effects/PixelMatrix.h"
#include "platform/Parallel.h"

namespace {

// Red, green, blue sums and the count of contributors of a run of pixels.
struct Sums {
    std::vector<uint16_t> r, g, b, n;
    explicit Sums(size_t size) : r(size), g(size), b(size), n(size) {}
};

// Sums over the windows [x - h, x + h] of one source row. Outside the picture the row reads
// as 0, which contributes nothing, so clipping the window is the same as padding with zeros.
void RowSums(const uint32_t* row, int width, int h, std::vector<uint32_t>& padded, Sums& out) {
    std::fill(padded.begin(), padded.begin() + h, 0u);
    std::copy(row, row + width, padded.begin() + h);
    std::fill(padded.begin() + h + width, padded.end(), 0u);
    std::fill(out.r.begin(), out.r.end(), 0);
    std::fill(out.g.begin(), out.g.end(), 0);
    std::fill(out.b.begin(), out.b.end(), 0);
    std::fill(out.n.begin(), out.n.end(), 0);
    uint16_t *r = out.r.data(), *g = out.g.data(), *b = out.b.data(), *n = out.n.data();
    for (int i = 0; i <= 2 * h; ++i) {
        const uint32_t* src = padded.data() + i;
        for (int x = 0; x < width; ++x) {
            const uint32_t v = src[x];
            r[x] = uint16_t(r[x] + ((v >> 16) & 0xFF));
            g[x] = uint16_t(g[x] + ((v >> 8) & 0xFF));
            b[x] = uint16_t(b[x] + (v & 0xFF));
            n[x] = uint16_t(n[x] + (v != 0));
        }
    }
}

void AddSums(Sums& total, const Sums& row, int width, bool subtract) {
    uint16_t *r = total.r.data(), *g = total.g.data(), *b = total.b.data(), *n = total.n.data();
    const uint16_t *rr = row.r.data(), *rg = row.g.data(), *rb = row.b.data(), *rn = row.n.data();
    // Sums stay below 2^16 (at most 81 x 255); wrapping arithmetic makes the subtraction exact.
    if (subtract) {
        for (int x = 0; x < width; ++x) {
            r[x] = uint16_t(r[x] - rr[x]);
            g[x] = uint16_t(g[x] - rg[x]);
            b[x] = uint16_t(b[x] - rb[x]);
            n[x] = uint16_t(n[x] - rn[x]);
        }
    } else {
        for (int x = 0; x < width; ++x) {
            r[x] = uint16_t(r[x] + rr[x]);
            g[x] = uint16_t(g[x] + rg[x]);
            b[x] = uint16_t(b[x] + rb[x]);
            n[x] = uint16_t(n[x] + rn[x]);
        }
    }
}

void WriteMeans(const Sums& total, int width, uint32_t* out) {
    const uint16_t *r = total.r.data(), *g = total.g.data(), *b = total.b.data(),
                   *n = total.n.data();
    for (int x = 0; x < width; ++x) {
        // Exact: a mean that is not whole lies at least 1/81 from the next whole number,
        // far more than a float's error on numbers below 2^15.
        const float d = n[x] != 0 ? float(n[x]) : 1.0f;
        const uint32_t mr = uint32_t(float(r[x]) / d), mg = uint32_t(float(g[x]) / d),
                       mb = uint32_t(float(b[x]) / d);
        const uint32_t p = out[x];
        const uint32_t result = (p & 0xFF000000u) | mr << 16 | mg << 8 | mb;
        out[x] = (p >> 24) == 0 ? p : result;
    }
}

}  // namespace

bool IsBlurSize(int size) {
    return std::find(std::begin(kBlurSizes), std::end(kBlurSizes), size) != std::end(kBlurSizes);
}

bool Blur(Bitmap& target, int size) {
    if (!IsBlurSize(size)) {
        return false;
    }
    PixelMatrix source;
    if (!source.CopyFrom(target, PixelMatrix::Copy::Contributors)) {
        return false;
    }
    const int width = target.Width(), height = target.Height(), h = size / 2;
    ParallelBands(height, int64_t(width) * 4 * (size + 4), [&](int first, int last) {
        // Row sums of rows first - h .. last + h, kept in a ring of 2h + 1.
        const int ringSize = 2 * h + 1;
        std::vector<Sums> ring(size_t(ringSize), Sums{static_cast<size_t>(width)});
        std::vector<uint32_t> padded(size_t(width + 2 * h));
        Sums column{static_cast<size_t>(width)};
        auto slot = [&](int y) -> Sums& { return ring[size_t((y + ringSize) % ringSize)]; };
        for (int y = first - h; y <= first + h; ++y) {
            if (y >= 0 && y < height) {
                RowSums(source.Row(y), width, h, padded, slot(y));
                AddSums(column, slot(y), width, false);
            }
        }
        for (int y = first; y < last; ++y) {
            WriteMeans(column, width, target.Row(y));
            if (y + 1 == last) {
                break;
            }
            if (y - h >= 0) {
                AddSums(column, slot(y - h), width, true);
            }
            if (y + h + 1 < height) {
                Sums& incoming = slot(y + h + 1);  // the slot row y - h had
                RowSums(source.Row(y + h + 1), width, h, padded, incoming);
                AddSums(column, incoming, width, false);
            }
        }
    });
    return true;
}
