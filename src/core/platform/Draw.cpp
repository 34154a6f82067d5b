#include "platform/Draw.h"

#include <algorithm>
#include <vector>

#include "platform/Compose.h"

void DrawBitmap(Bitmap& dst, const Bitmap& src, int x, int y, float alpha, CompositeMode mode) {
    if (mode == CompositeMode::SourceOver) {
        const ComposeSource source{&src, x, y, alpha};
        ComposeOver(dst, std::span(&source, 1));
        return;
    }
    const QRect area = QRect(x, y, src.Width(), src.Height()).intersected(dst.Rect());
    for (int dy = area.top(); dy <= area.bottom(); ++dy) {
        CopyRow(dst.Row(dy) + area.left(), src.Row(dy - y) + (area.left() - x), area.width(),
                alpha);
    }
}

void DrawBitmapRect(Bitmap& dst, const QRect& dstRect, const Bitmap& src, const QRect& srcRect,
                    float alpha, CompositeMode mode) {
    if (dstRect.isEmpty() || srcRect.isEmpty()) {
        return;
    }
    if (dstRect.size() == srcRect.size() && src.Rect().contains(srcRect)) {
        if (srcRect == src.Rect()) {
            DrawBitmap(dst, src, dstRect.x(), dstRect.y(), alpha, mode);
            return;
        }
    }
    const QRect area = dstRect.intersected(dst.Rect());
    if (area.isEmpty()) {
        return;
    }
    // Which source column each destination column samples (-1: outside the source).
    std::vector<int> columns(size_t(area.width()));
    for (int i = 0; i < area.width(); ++i) {
        const int dx = area.left() + i - dstRect.left();
        const int sx = srcRect.left() + int((int64_t(2 * dx + 1) * srcRect.width()) /
                                            (int64_t(2) * dstRect.width()));
        columns[size_t(i)] = (sx >= 0 && sx < src.Width()) ? sx : -1;
    }
    std::vector<uint32_t> sampled(size_t(area.width()));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const int dy = y - dstRect.top();
        const int sy = srcRect.top() + int((int64_t(2 * dy + 1) * srcRect.height()) /
                                           (int64_t(2) * dstRect.height()));
        const uint32_t* srow = (sy >= 0 && sy < src.Height()) ? src.Row(sy) : nullptr;
        for (int i = 0; i < area.width(); ++i) {
            const int sx = columns[size_t(i)];
            sampled[size_t(i)] = (srow && sx >= 0) ? srow[sx] : 0;
        }
        uint32_t* drow = dst.Row(y) + area.left();
        if (mode == CompositeMode::SourceOver) {
            BlendRow(drow, sampled.data(), area.width(), alpha);
        } else {
            CopyRow(drow, sampled.data(), area.width(), alpha);
        }
    }
}

void FillRect(Bitmap& dst, const QRect& rect, uint32_t argb, CompositeMode mode) {
    const QRect area = rect.intersected(dst.Rect());
    if (area.isEmpty()) {
        return;
    }
    if (mode == CompositeMode::SourceOver && (argb >> 24) != 255) {
        std::vector<uint32_t> colour(size_t(area.width()), argb);
        for (int y = area.top(); y <= area.bottom(); ++y) {
            BlendRow(dst.Row(y) + area.left(), colour.data(), area.width(), 1.0f);
        }
        return;
    }
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::fill_n(dst.Row(y) + area.left(), area.width(), argb);
    }
}

void FillRegion(Bitmap& dst, const QRegion& region, uint32_t argb, CompositeMode mode) {
    for (const QRect& r : region) {
        FillRect(dst, r, argb, mode);
    }
}

void FillOutsideRegion(Bitmap& dst, const QRegion& region, uint32_t argb) {
    FillRegion(dst, QRegion(dst.Rect()).subtracted(region), argb, CompositeMode::SourceCopy);
}

BitmapPainter::BitmapPainter(Bitmap& bitmap) : m_image(bitmap.View()) {
    begin(&m_image);
}

BitmapPainter::~BitmapPainter() {
    end();
}
