#pragma once

#include <QPoint>
#include <QRect>
#include <cstdlib>

// The points of a stroke segment: the Bresenham line from `from` to `to`, both ends included,
// in integer steps along the major axis; the minor coordinate advances when the error term
// turns positive. visit(QPoint point, QPoint step) is called for each point in order, with
// step the unit move along the major axis in the direction of travel ((0, 0) for a segment of
// one point): the diagonal pencil tips dab at point + step as well.
template <typename Visit>
void ForEachLinePoint(QPoint from, QPoint to, Visit&& visit) {
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const int sx = dx > 0 ? 1 : (dx < 0 ? -1 : 0);
    const int sy = dy > 0 ? 1 : (dy < 0 ? -1 : 0);
    const int ax = std::abs(dx);
    const int ay = std::abs(dy);
    int x = from.x();
    int y = from.y();
    if (ax >= ay) {
        const QPoint step(sx, 0);
        int error = 2 * ay - ax;
        for (int i = 0; i <= ax; ++i) {
            visit(QPoint(x, y), step);
            if (error > 0) {
                y += sy;
                error -= 2 * ax;
            }
            error += 2 * ay;
            x += sx;
        }
    } else {
        const QPoint step(0, sy);
        int error = 2 * ax - ay;
        for (int i = 0; i <= ay; ++i) {
            visit(QPoint(x, y), step);
            if (error > 0) {
                x += sx;
                error -= 2 * ay;
            }
            error += 2 * ax;
            y += sy;
        }
    }
}

// The bounding box of a segment grown by margin on every side: what a stroke of a tool of
// that half-size touched.
inline QRect SegmentRect(QPoint from, QPoint to, int margin) {
    return QRect(from, to).normalized().adjusted(-margin, -margin, margin, margin);
}
