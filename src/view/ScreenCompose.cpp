#include "view/ScreenCompose.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "document/PictorraDoc.h"
#include "platform/Bitmap.h"
#include "platform/Compose.h"
#include "platform/Draw.h"

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
        shown.fragmentRect = doc.m_rcSelection.IsEmpty() ? QRect(QPoint(), doc.m_pFragment->Size())
                                                         : doc.m_rcSelection.ToQRect();
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
