#include "view/ScreenCompose.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "document/PictorraDoc.h"
#include "platform/Bitmap.h"
#include "platform/Compose.h"
#include "platform/Draw.h"
#include "platform/Parallel.h"

namespace {
int Wrap(int v) {
    const int m = v % kCheckerTileSide;
    return m < 0 ? m + kCheckerTileSide : m;
}
}  // namespace

const Bitmap& CheckerTile() {
    static const std::unique_ptr<Bitmap> tile = [] {
        auto t = Bitmap::Create(kCheckerTileSide, kCheckerTileSide);
        for (int y = 0; y < kCheckerTileSide; ++y) {
            uint32_t* row = t->Row(y);
            for (int x = 0; x < kCheckerTileSide; ++x) {
                const bool white = ((x / kCheckerSquare) + (y / kCheckerSquare)) % 2 == 0;
                row[x] = white ? 0xFFFFFFFFu : 0xFFDCDCDCu;
            }
        }
        return t;
    }();
    return *tile;
}

ShownImages ImagesToShow(const CPictorraDoc& doc, int activeNumber) {
    ShownImages shown;
    if (activeNumber > 1) {
        shown.below = doc.m_pBelowCache.get();
    }
    if (const CLayerFrame* layer = doc.Layer(activeNumber); layer && layer->m_bVisible) {
        shown.active = layer->m_pBitmap.get();
        shown.activeX = layer->m_nOffsetX;
        shown.activeY = layer->m_nOffsetY;
        shown.activeAlpha = float(layer->m_nOpacity) / 100.0f;
    }
    if (activeNumber < doc.LayerCount()) {
        shown.above = doc.m_pAboveCache.get();
    }
    if (doc.m_pFragment) {
        shown.fragment = doc.m_pFragment.get();
        shown.fragmentRect = doc.FragmentRect();
    }
    return shown;
}

void ComposeForScreen(Bitmap& out, QPoint imageTopLeft, QPoint checkerPhase,
                      const ShownImages& images) {
    const Bitmap& tile = CheckerTile();
    const int w = out.Width();
    const int tx0 = Wrap(checkerPhase.x());
    for (int y = 0; y < out.Height(); ++y) {
        const uint32_t* src = tile.Row(Wrap(checkerPhase.y() + y));
        uint32_t* dst = out.Row(y);
        int x = 0, tx = tx0;
        while (x < w) {
            const int n = std::min(kCheckerTileSide - tx, w - x);
            std::memcpy(dst + x, src + tx, size_t(n) * 4);
            x += n;
            tx = 0;
        }
    }

    std::vector<ComposeSource> sources;
    const int ox = -imageTopLeft.x(), oy = -imageTopLeft.y();
    if (images.below) {
        sources.push_back({images.below, ox, oy, 1.0f});
    }
    if (images.active && images.activeAlpha > 0.0f) {
        sources.push_back(
            {images.active, ox + images.activeX, oy + images.activeY, images.activeAlpha});
    }
    if (images.above) {
        sources.push_back({images.above, ox, oy, 1.0f});
    }
    // A fragment whose rectangle was resized is shown stretched into it.
    std::unique_ptr<Bitmap> stretched;
    if (images.fragment && !images.fragmentRect.isEmpty()) {
        const Bitmap* fragment = images.fragment;
        if (fragment->Size() != images.fragmentRect.size()) {
            stretched = Bitmap::Create(images.fragmentRect.width(), images.fragmentRect.height());
            if (stretched) {
                DrawBitmapRect(*stretched, stretched->Rect(), *fragment, fragment->Rect(), 1.0f,
                               CompositeMode::SourceCopy);
            }
            fragment = stretched.get();
        }
        if (fragment) {
            sources.push_back(
                {fragment, ox + images.fragmentRect.x(), oy + images.fragmentRect.y(), 1.0f});
        }
    }
    if (!sources.empty()) {
        ComposeOver(out, sources);
    }
}

// --- Any zoom -------------------------------------------------------------------------------

int ScreenMapping::ImageX(int x) const {
    return int(std::floor((double(x) - originX) / zoom));
}

int ScreenMapping::ImageY(int y) const {
    return int(std::floor((double(y) - originY) / zoom));
}

namespace {

// One picture placed in the image: drawn stretched into rect (image pixels) when its size
// differs, with DrawBitmapRect's sampling.
struct PlacedSource {
    const Bitmap* bitmap;
    QRect rect;
    float alpha;
    // Per sample column: the bitmap's column, for the sample columns first..last - 1 (the
    // columns outside are not covered).
    std::vector<int> columns;
    int first = 0, last = 0;

    int RowOf(int iy) const {
        const int dy = iy - rect.y();
        if (dy < 0 || dy >= rect.height()) {
            return -1;
        }
        return rect.height() == bitmap->Height()
                   ? dy
                   : int((int64_t(dy) * 2 + 1) * bitmap->Height() / (int64_t(rect.height()) * 2));
    }
};

// Straight-alpha pixels of every source at the sample columns of image row iy, composed into
// acc as premultiplied B, G, R (0..255) and A (0..1), on transparent.
void StackRow(float* acc, int n, const std::vector<PlacedSource>& sources, int iy) {
    std::fill(acc, acc + size_t(n) * 4, 0.0f);
    for (const PlacedSource& s : sources) {
        const int sy = s.RowOf(iy);
        if (sy < 0 || s.first >= s.last) {
            continue;
        }
        const uint32_t* row = s.bitmap->Row(sy);
        const float scale = s.alpha / 255.0f;
        const int* cols = s.columns.data();
        for (int i = s.first; i < s.last; ++i) {
            const uint32_t p = row[cols[i]];
            const float a = float(p >> 24) * scale;
            if (a <= 0.0f) {
                continue;
            }
            const float k = 1.0f - a;
            float* d = acc + size_t(i) * 4;
            d[0] = float(p & 0xFF) * a + d[0] * k;
            d[1] = float((p >> 8) & 0xFF) * a + d[1] * k;
            d[2] = float((p >> 16) & 0xFF) * a + d[2] * k;
            d[3] = a + d[3] * k;
        }
    }
}

// Below zoom 1: the samples of one image row, each already over the checker pixel of its
// window pixel, so opaque; one array per channel, two samples per window pixel.
struct SampleRow {
    explicit SampleRow(int n)
        : b(size_t(n)), g(size_t(n)), r(size_t(n)), a(size_t(n)), gathered(size_t(n)) {}
    std::vector<float> b, g, r, a;
    std::vector<uint32_t> gathered;
};

void ReducedSamples(SampleRow& row, int iy, const uint32_t* checker, int tx0, int w,
                    const std::vector<PlacedSource>& sources) {
    uint32_t* tmp = row.gathered.data();
    int tx = tx0;
    for (int x = 0; x < w; ++x) {
        tmp[size_t(x) * 2] = tmp[size_t(x) * 2 + 1] = checker[tx];
        if (++tx == kCheckerTileSide) {
            tx = 0;
        }
    }
    LoadPremultiplied(tmp, w * 2, row.b.data(), row.g.data(), row.r.data(), row.a.data());
    for (const PlacedSource& s : sources) {
        const int sy = s.RowOf(iy);
        if (sy < 0) {
            continue;
        }
        // The source's samples side by side, then one blend over them that the compiler
        // vectorises.
        const uint32_t* src = s.bitmap->Row(sy);
        const int* cols = s.columns.data() + s.first;
        const int m = s.last - s.first;
        for (int i = 0; i < m; ++i) {
            tmp[i] = src[cols[i]];
        }
        BlendPremultiplied(tmp, m, s.alpha, row.b.data() + s.first, row.g.data() + s.first,
                           row.r.data() + s.first, row.a.data() + s.first);
    }
}

// A premultiplied pixel (colour scaled by `colourScale`, alpha by `alphaScale`) over an opaque
// checker pixel.
inline uint32_t OverChecker(const float* p, float colourScale, float alphaScale, uint32_t checker) {
    const float k = 1.0f - p[3] * alphaScale;
    auto channel = [&](int i, int shift) {
        const float v = p[i] * colourScale + float((checker >> shift) & 0xFF) * k;
        return uint32_t(std::clamp(v + 0.5f, 0.0f, 255.0f));
    };
    return 0xFF000000u | (channel(2, 16) << 16) | (channel(1, 8) << 8) | channel(0, 0);
}

}  // namespace

void ComposeScreenArea(Bitmap& out, QPoint windowTopLeft, const ScreenMapping& map,
                       QPoint checkerOrigin, const ShownImages& images) {
    if (map.zoom == 1.0) {
        ComposeForScreen(out, windowTopLeft - QPoint(map.originX, map.originY),
                         windowTopLeft - checkerOrigin, images);
        return;
    }
    const int w = out.Width(), h = out.Height();
    if (w <= 0 || h <= 0) {
        return;
    }
    const bool reduced = map.zoom < 1.0;
    // Below zoom 1 two sample columns (and rows) per window pixel, at a quarter and three
    // quarters of it; from zoom 1 up one per image column shown.
    const int wx0 = windowTopLeft.x(), wy0 = windowTopLeft.y();
    auto sampleX = [&](int x, int k) {
        return int(std::floor((double(wx0 + x) + (k + 0.5) / 2 - map.originX) / map.zoom));
    };
    auto sampleY = [&](int y, int k) {
        return int(std::floor((double(wy0 + y) + (k + 0.5) / 2 - map.originY) / map.zoom));
    };
    std::vector<int> sampleCols;
    std::vector<int> colOfPixel;  // from zoom 1 up: the sample column of each window column
    if (reduced) {
        sampleCols.resize(size_t(w) * 2);
        for (int x = 0; x < w; ++x) {
            sampleCols[size_t(x) * 2] = sampleX(x, 0);
            sampleCols[size_t(x) * 2 + 1] = sampleX(x, 1);
        }
    } else {
        const int first = map.ImageX(wx0), last = map.ImageX(wx0 + w - 1);
        sampleCols.resize(size_t(last - first + 1));
        for (size_t i = 0; i < sampleCols.size(); ++i) {
            sampleCols[i] = first + int(i);
        }
        colOfPixel.resize(size_t(w));
        for (int x = 0; x < w; ++x) {
            colOfPixel[size_t(x)] = map.ImageX(wx0 + x) - first;
        }
    }
    const int n = int(sampleCols.size());

    std::vector<PlacedSource> sources;
    auto place = [&](const Bitmap* bitmap, QRect rect, float alpha) {
        if (!bitmap || rect.isEmpty() || alpha <= 0.0f) {
            return;
        }
        PlacedSource s{bitmap, rect, alpha, std::vector<int>(size_t(n), -1)};
        const bool stretched = rect.width() != bitmap->Width();
        s.first = n;
        for (int i = 0; i < n; ++i) {
            const int dx = sampleCols[size_t(i)] - rect.x();
            if (dx < 0 || dx >= rect.width()) {
                continue;
            }
            s.columns[size_t(i)] =
                stretched
                    ? int((int64_t(dx) * 2 + 1) * bitmap->Width() / (int64_t(rect.width()) * 2))
                    : dx;
            s.first = std::min(s.first, i);
            s.last = i + 1;
        }
        if (s.first < s.last) {
            sources.push_back(std::move(s));
        }
    };
    if (images.below) {
        place(images.below, images.below->Rect(), 1.0f);
    }
    if (images.active) {
        place(images.active, QRect(QPoint(images.activeX, images.activeY), images.active->Size()),
              images.activeAlpha);
    }
    if (images.above) {
        place(images.above, images.above->Rect(), 1.0f);
    }
    if (images.fragment) {
        place(images.fragment, images.fragmentRect, 1.0f);
    }

    const Bitmap& tile = CheckerTile();
    const int tx0 = Wrap(wx0 - checkerOrigin.x());
    ParallelBands(
        h, int64_t(w) * int64_t(std::max<size_t>(1, sources.size())) * (reduced ? 4 : 1),
        [&](int firstRow, int lastRow) {
            std::vector<float> acc0(reduced ? 0 : size_t(n) * 4);
            SampleRow rows[2] = {SampleRow(reduced ? n : 0), SampleRow(reduced ? n : 0)};
            int cachedRow = INT_MIN;
            for (int y = firstRow; y < lastRow; ++y) {
                const uint32_t* checker = tile.Row(Wrap(wy0 + y - checkerOrigin.y()));
                uint32_t* dst = out.Row(y);
                if (reduced) {
                    // Each sample over its window pixel's checker, then the mean of the four
                    // samples of every window pixel.
                    ReducedSamples(rows[0], sampleY(y, 0), checker, tx0, w, sources);
                    ReducedSamples(rows[1], sampleY(y, 1), checker, tx0, w, sources);
                    const float* b0 = rows[0].b.data();
                    const float* g0 = rows[0].g.data();
                    const float* r0 = rows[0].r.data();
                    const float* b1 = rows[1].b.data();
                    const float* g1 = rows[1].g.data();
                    const float* r1 = rows[1].r.data();
                    for (int x = 0; x < w; ++x) {
                        const size_t i = size_t(x) * 2;
                        auto mean = [i](const float* p, const float* q) {
                            const float v = (p[i] + p[i + 1] + q[i] + q[i + 1]) * 0.25f + 0.5f;
                            return uint32_t(std::clamp(v, 0.0f, 255.0f));
                        };
                        dst[x] =
                            0xFF000000u | (mean(r0, r1) << 16) | (mean(g0, g1) << 8) | mean(b0, b1);
                    }
                } else {
                    // Rows showing the same image row share its composition.
                    const int iy = map.ImageY(wy0 + y);
                    if (iy != cachedRow) {
                        StackRow(acc0.data(), n, sources, iy);
                        cachedRow = iy;
                    }
                    int tx = tx0;
                    for (int x = 0; x < w; ++x) {
                        dst[x] = OverChecker(acc0.data() + size_t(colOfPixel[size_t(x)]) * 4, 1.0f,
                                             1.0f, checker[tx]);
                        if (++tx == kCheckerTileSide) {
                            tx = 0;
                        }
                    }
                }
            }
        });
}
