#pragma once

#include <QColor>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <cstdint>

class Bitmap;
class QPainter;

// The five shape tools: what a drag from one point to another draws.
enum class ShapeKind {
    Line,             // from the press point to the release point
    Rectangle,        // the outline of the rectangle the two points span
    FilledRectangle,  // filled with the second colour, then outlined with the first
    Ellipse,          // the outline of the ellipse inscribed in that rectangle
    FilledEllipse,    // filled, then outlined
};

// The pen width factor of a shape tool's width index 0..3: 1, 2, 3 or 5 pixels. Indices
// outside the range count as the nearest end.
int LineWidthFactor(int widthIndex);

// Draws a shape with painter as it is, in painter's coordinates, without smoothing: the line
// from a to b, or the rectangle with corners min(a, b) and max(a, b) (its outline runs along
// those coordinates, so it covers |b - a| + 1 pixels each way at width 1; the fill covers
// the |b - a| pixels inside from min on). The pen is centred on the outline; filled shapes
// get the fill first, then the outline over it.
void PaintShape(QPainter& painter, ShapeKind kind, QPointF a, QPointF b, qreal penWidth,
                const QColor& pen, const QColor& fill);

// Draws a shape into target (straight alpha, blended over what is there) between pixel
// positions a and b of target, with a pen widthFactor pixels wide in penColor and, for the
// filled shapes, a fill of fillColor (both 0xAARRGGBB). Pixels outside target are skipped.
// Returns the part of target that may have changed.
QRect DrawShape(Bitmap& target, ShapeKind kind, QPoint a, QPoint b, int widthFactor,
                uint32_t penColor, uint32_t fillColor);

// The rectangle a shape between a and b drawn with a pen penWidth wide may touch.
QRect ShapeBounds(QPoint a, QPoint b, int penWidth);
