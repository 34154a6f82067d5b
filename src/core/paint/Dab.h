#pragma once

#include <QRect>
#include <cstdint>

class Bitmap;

// The filled ellipse of a bounding box, as the solid fills of the tools draw it without
// smoothing: the pixels whose centres lie inside the ellipse inscribed in box. Each row of it
// is one run of pixels.
struct CEllipseRows {
    explicit CEllipseRows(const QRect& box) : m_box(box) {}
    // The run of row y (box.top() .. box.bottom()): [left, right), empty when left >= right.
    void RowSpan(int y, int& left, int& right) const;
    const QRect& Box() const { return m_box; }

private:
    QRect m_box;
};

// Blends color (straight alpha, source-over) over the pixels of the ellipse inscribed in box,
// clipped to dst.
void BlendEllipse(Bitmap& dst, const QRect& box, uint32_t color);

// The same as a set test: whether pixel (x, y) lies inside the ellipse inscribed in box.
bool InsideEllipse(const QRect& box, int x, int y);
