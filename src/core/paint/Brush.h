#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

class Bitmap;

// The brush's dab sizes for the option m_nBrushSize 0..3 (others are taken as 0).
int BrushDabSize(int sizeIndex);

// The alpha of ring k (0 = outermost, n - 2 = innermost) of a brush dab of size n drawn with a
// colour of alpha a: max(1, trunc(a / (n - k)^c)) with c = 2.0 below size 13 and 1.8 from 13
// on. Never 0, so even a fully transparent colour leaves a trace.
int BrushRingAlpha(int n, int k, int a);

// One soft round dab of size n at point: n - 1 filled ellipses, ring k's bounding square from
// (x - n + 1 + k, y - n + 1 + k) with side 2n + 1 - 2k, each blended (source-over) with the
// RGB of color and the ring's alpha; the overlapping fills build up toward the middle.
// Returns the rectangle the dab covers (not clipped to dst).
QRect DabBrush(Bitmap& dst, QPoint point, int n, uint32_t color);

// Dabs at every point of the segment from `from` to `to`, both ends included. Returns the
// rectangle the segment may have changed.
QRect BrushSegment(Bitmap& dst, QPoint from, QPoint to, int n, uint32_t color);
