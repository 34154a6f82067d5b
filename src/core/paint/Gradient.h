#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <cstdint>

class Bitmap;

// The gradient tool's pixel work. Colours are 0xAARRGGBB with straight alpha; each channel,
// alpha included, runs linearly from color1 to color2, and the result is blended over the
// target's pixels. Only the pixels of clip are drawn (all of the target when clip is empty).
// Both return false, changing nothing, when start equals end.

// Linear gradient from start (color1) to end (color2). The lines through start and end
// perpendicular to the direction start -> end cut the plane into three parts: beyond the
// start line everything is color1, beyond the end line color2, and across the band between
// them the colour follows the distance from the start line. A pixel belongs to the part its
// centre lies in.
bool LinearGradient(Bitmap& target, QPoint start, QPoint end, uint32_t color1, uint32_t color2,
                    const QRegion& clip = QRegion());

// Circular gradient: radius r = the distance from start to end, truncated to an integer.
// Inside the circle of radius r around start the colour runs from color1 at the centre to
// color2 at the rim; outside it is color2.
bool CircularGradient(Bitmap& target, QPoint start, QPoint end, uint32_t color1, uint32_t color2,
                      const QRegion& clip = QRegion());
