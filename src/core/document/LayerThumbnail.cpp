#include "document/LayerThumbnail.h"

#include <algorithm>
#include <cmath>

#include "document/PictorraDoc.h"
#include "platform/Compose.h"

QImage MakeLayerThumbnail(const CPictorraDoc& doc, const CLayerFrame& layer, QSize size) {
    QImage thumbnail(size, QImage::Format_ARGB32);
    if (thumbnail.isNull()) {
        return thumbnail;
    }
    const Bitmap& bitmap = *layer.m_pBitmap;
    const Bitmap* fragment = &layer == doc.ActiveLayer() ? doc.m_pFragment.get() : nullptr;
    // The fragment's rectangle in the layer's pixels.
    const QRect shown =
        fragment ? doc.FragmentRect().translated(-layer.m_nOffsetX, -layer.m_nOffsetY) : QRect();
    for (int y = 0; y < size.height(); ++y) {
        const int ly = int(int64_t(y) * bitmap.Height() / size.height());
        const uint32_t* src = bitmap.Row(ly);
        auto* dst = reinterpret_cast<uint32_t*>(thumbnail.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            dst[x] = src[int64_t(x) * bitmap.Width() / size.width()];
        }
        if (!fragment || ly < shown.top() || ly > shown.bottom()) {
            continue;
        }
        // The same sampling as drawing the fragment stretched into its rectangle.
        const int fy =
            int(std::floor((ly - shown.y() + 0.5) * fragment->Height() / shown.height()));
        const uint32_t* frow = fragment->Row(std::clamp(fy, 0, fragment->Height() - 1));
        for (int x = 0; x < size.width(); ++x) {
            const int lx = int(int64_t(x) * bitmap.Width() / size.width());
            if (lx >= shown.left() && lx <= shown.right()) {
                const int fx =
                    int(std::floor((lx - shown.x() + 0.5) * fragment->Width() / shown.width()));
                BlendRow(dst + x, frow + std::clamp(fx, 0, fragment->Width() - 1), 1, 1.0f);
            }
        }
    }
    return thumbnail;
}
