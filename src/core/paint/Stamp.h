#pragma once

#include <QPoint>
#include <QRect>

class Bitmap;

// The stamp's disk radius for the option m_nStampSize 0..3 (others are taken as 0).
int StampRadius(int sizeIndex);

// Clones along the segment from `from` to `to` (target pixels): the union of the circles of
// radius `radius` (each the ellipse in the box from (x - r, y - r) to (x + r, y + r)) around
// every point of the segment is painted one pixel right of and below where the circles lie,
// each pixel q of it taking the snapshot's pixel shown at q - (1, 1) - offset, blended over
// dst (source-over). snapshotOrigin is where the snapshot's pixel (0, 0) lies in dst's
// pixels: the snapshot of a layer is the whole composed picture, so it is minus the layer's
// offset. Snapshot pixels beyond its edges are transparent. Returns the rectangle of dst that
// may have changed.
QRect CloneSegment(Bitmap& dst, const Bitmap& snapshot, QPoint snapshotOrigin, QPoint from,
                   QPoint to, QPoint offset, int radius);
