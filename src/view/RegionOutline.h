#pragma once

#include <QLine>
#include <QRegion>
#include <vector>

// The boundary of region as horizontal and vertical segments along pixel edges: a segment
// from (x1, y) to (x2, y) runs along the top edge of the pixels of row y from column x1 to
// column x2 - 1 (and likewise for vertical ones), so the outline of the pixels [l, r) x
// [t, b) is the rectangle with corners (l, t) and (r, b). Inner edges between pixels that are
// both inside, or both outside, are not part of it.
std::vector<QLine> RegionOutline(const QRegion& region);
