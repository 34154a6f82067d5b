#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <vector>

class Bitmap;

// The eraser's square sides for the option m_nEraserSize 0..3 (others are taken as 0), and the
// half-sizes its repaint uses.
int EraserSide(int sizeIndex);
int EraserHalfSize(int sizeIndex);

// Which pixels of the target one eraser stroke has reduced already: each pixel is reduced at
// most once per stroke, however often the stroke passes over it.
class CEraseMask {
public:
    // A new stroke on a target of size: nothing erased yet.
    void Reset(QSize size);
    QSize Size() const { return m_size; }
    // Marks (x, y), inside Size(); false when it was marked already.
    bool Mark(int x, int y) {
        uint8_t& cell = m_cells[size_t(y) * size_t(m_size.width()) + size_t(x)];
        const bool fresh = cell == 0;
        cell = 1;
        return fresh;
    }

private:
    QSize m_size;
    std::vector<uint8_t> m_cells;
};

// Erases the square of side `side` centred on point (top-left (x - side / 2, y - side / 2)),
// clipped to dst and to the mask: each pixel not yet marked keeps trunc(alpha x (255 - s) /
// 255) of its alpha, s being the eraser's strength (the secondary colour's alpha, 0..255),
// and is marked. The colour channels stay as they are, so an eraser of strength 255 leaves
// the colours under alpha 0. Returns the square (not clipped).
QRect EraseSquare(Bitmap& dst, CEraseMask& mask, QPoint point, int side, int strength);

// Erases a square at every point of the segment from `from` to `to`, both ends included.
// Returns the rectangle the segment may have changed.
QRect EraseSegment(Bitmap& dst, CEraseMask& mask, QPoint from, QPoint to, int side, int strength);
