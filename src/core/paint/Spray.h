#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

class Bitmap;
class CRandomSequence;

// The spray's radius and dots per tick for the option m_nSpraySize 0..3 (others are taken as
// 0): 5, 10, 15, 20 pixels and 20, 25, 30, 35 dots.
int SprayRadius(int sizeIndex);
int SprayDots(int sizeIndex);

// One puff of the spray around centre: `dots` times an angle a = (r1 mod 361) / 3.14159
// radians and a distance d = r2 mod (radius + 1), r1 and r2 drawn from random in this order;
// the pixel (centre x + (int)(cos(a) d), centre y + (int)(sin(a) d)) is set to color itself
// (no blending) when it lies inside dst. Returns the rectangle the puff may have changed.
QRect SprayPuff(Bitmap& dst, QPoint centre, int radius, int dots, uint32_t color,
                CRandomSequence& random);
