#pragma once

#include <QPoint>
#include <QRect>
#include <vector>

class Bitmap;

// The pixels the blur brush softens around a point for the option m_nBlurToolSize 0..3
// (others are taken as 0), as offsets in the order they are blurred:
//   0  the point itself (1 pixel)
//   1  the point, then its left, upper, right and lower neighbours (5)
//   2  the 5 x 5 square without its four corners, row by row (21)
//   3  the 7 x 7 square row by row, then x - 2 .. x + 2 of the rows y - 4 and y + 4, then
//      y - 2 .. y + 2 of the columns x - 4 and x + 4 (69)
const std::vector<QPoint>& BlurFootprint(int sizeIndex);
// How far the footprint reaches from its point.
int BlurFootprintReach(int sizeIndex);

// Blurs the footprint around point: each pixel in turn becomes the mean of each of its four
// channels over the (2e + 1) x (2e + 1) window around it, e = (kernelSize - 1) / 2 (the Blur
// dialog's kernel size), clipped to dst, integer division. The window is read from dst as the
// earlier pixels of the footprint left it. Pixels outside dst are skipped. Returns the
// rectangle that may have changed.
QRect BlurDab(Bitmap& dst, QPoint point, int sizeIndex, int kernelSize);
