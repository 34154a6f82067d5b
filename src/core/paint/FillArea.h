#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

class Bitmap;

// The fill tool's pixel work.
//
// The target is first seen as it shows over opaque white (each pixel's colour blended over
// white by its alpha, the result opaque). The colour c0 of the clicked pixel in that picture
// decides the area: every pixel connected to the clicked one through its four neighbours
// whose colour there equals c0 exactly. That area takes the fill colour:
//   - blend (the left button): color painted with alpha a = transparencyPercent x 255 / 100
//     (truncated) over c0, so that the fill mixes with the clicked colour;
//   - otherwise (the right button): the red, green and blue of color as they are.
// Then the whole target takes the picture over white, opaque: pixels outside the area keep
// the colour they showed over white, transparent ones become white.
//
// Returns false, changing nothing, when point lies outside target.
bool FillArea(Bitmap& target, QPoint point, uint32_t color, bool blend, int transparencyPercent);

// The fill colour a blend gives: color's red, green and blue with alpha
// transparencyPercent x 255 / 100 (truncated) painted over the opaque colour under, opaque.
uint32_t BlendFillColor(uint32_t color, int transparencyPercent, uint32_t under);
