#pragma once

#include <QPainter>
#include <QRect>
#include <QRegion>
#include <cstdint>

#include "platform/Bitmap.h"

// How a drawn picture meets the pixels under it.
enum class CompositeMode {
    SourceOver,  // straight-alpha blending (the default of every drawing call)
    SourceCopy,  // the source pixels replace the destination's, alpha included
};

// Draws src with its top-left pixel at (x, y) of dst, clipped to dst; alpha multiplies the
// source alpha (a layer's opacity / 100).
void DrawBitmap(Bitmap& dst, const Bitmap& src, int x, int y, float alpha = 1.0f,
                CompositeMode mode = CompositeMode::SourceOver);

// Draws the srcRect part of src stretched into dstRect of dst with nearest-neighbour sampling:
// destination pixel (dx, dy) takes source pixel (srcRect.x + floor((dx - dstRect.x + 0.5) *
// srcRect.w / dstRect.w), likewise in y). Parts of srcRect outside src are transparent.
void DrawBitmapRect(Bitmap& dst, const QRect& dstRect, const Bitmap& src, const QRect& srcRect,
                    float alpha = 1.0f, CompositeMode mode = CompositeMode::SourceOver);

// Fills the pixels of region (in dst's coordinates) with argb.
void FillRegion(Bitmap& dst, const QRegion& region, uint32_t argb,
                CompositeMode mode = CompositeMode::SourceCopy);
void FillRect(Bitmap& dst, const QRect& rect, uint32_t argb,
              CompositeMode mode = CompositeMode::SourceCopy);

// Sets every pixel outside region to argb (source-copy): clipping a picture to an outline.
void FillOutsideRegion(Bitmap& dst, const QRegion& region, uint32_t argb = 0);

// A QPainter drawing lines, ellipses, polygons, paths and text straight onto a bitmap. The
// bitmap keeps straight alpha: QPainter's results on Format_ARGB32 are converted back for us.
// Painting on straight ARGB is slow in QPainter, so keep it to the area a stroke touches.
class BitmapPainter : public QPainter {
public:
    explicit BitmapPainter(Bitmap& bitmap);
    ~BitmapPainter();

private:
    QImage m_image;
};
