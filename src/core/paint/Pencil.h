#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

class Bitmap;

// The pencil's ten tips (the option m_nPencilShape):
//   0  one pixel                          5  5 x 5 rising diagonal
//   1  3 x 3 plus sign                    6  7 x 7 rising diagonal
//   2  filled disk in a 7 x 7 square      7  3 x 3 falling diagonal
//   3  filled disk in an 11 x 11 square   8  5 x 5 falling diagonal
//   4  3 x 3 rising diagonal              9  7 x 7 falling diagonal
// Rising runs from bottom-left to top-right, falling from top-left to bottom-right.
constexpr int kPencilTips = 10;

// The half-size of a tip: how far around a point its dab can reach, for repainting.
int PencilTipHalfSize(int tip);
// True for the diagonal tips 4 to 9, which dab twice per step of a stroke.
bool IsDiagonalPencilTip(int tip);

// One dab of tip at point. A mask tip (all but 2 and 3) of w x h cells is placed with its
// top-left corner at (x - w / 2, y - h / 2) and writes color itself into every pixel it sets,
// alpha included (no blending); the disks are blended over the pixels (source-over). Pixels
// outside dst are skipped. A tip outside 0..9 is taken as 0.
void DabPencil(Bitmap& dst, QPoint point, int tip, uint32_t color);

// The pencil along a segment: a dab at every point of the line from `from` to `to`, both ends
// included; the diagonal tips also dab at the next point along the major axis, so that a
// diagonal line drawn across the tip's own direction leaves no gaps. Returns the rectangle
// the segment may have changed (not clipped to dst).
QRect PencilSegment(Bitmap& dst, QPoint from, QPoint to, int tip, uint32_t color);
