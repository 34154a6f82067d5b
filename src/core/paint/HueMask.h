#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Bitmap.h"

// The hue selection's pixels: those of similar hue connected to a starting pixel.

// The hue of a pixel on the 0..239 scale of ColorRGBToHLS (greys have hue 160).
int PixelHue(uint32_t argb);

// Whether hue is taken with a selection started on a pixel of hue startHue: |hue - startHue|
// <= range, or (hue - startHue) + 240 <= range. The turn of 240 is added only to a negative
// difference, so a start at 230 with range 15 takes hue 5 (5 - 230 + 240 = 15) while a start
// at 5 does not take 230.
bool HueWithinRange(int hue, int startHue, int range);

// Which pixels of a picture a hue selection takes, one byte per pixel (1 taken, 0 not).
struct CHueMask {
    int width = 0, height = 0;
    std::vector<uint8_t> marked;
    QRect bounds;  // the taken pixels' bounding box; empty when none
    int count = 0;
    bool At(int x, int y) const { return marked[size_t(y) * size_t(width) + size_t(x)] != 0; }
};

// Flood fill from start over the 4-neighbours whose hue is within range of the start pixel's.
// Range 0, or a start outside the picture, takes nothing.
CHueMask HueFloodMask(const Bitmap& picture, QPoint start, int range);

// Moves the taken pixels out of picture: a bitmap of the mask's bounding box holds them
// (transparent elsewhere), and picture gets fill where they were; pixels of the box that are
// not taken stay where they are. Null when nothing is taken or the memory cannot be had.
std::unique_ptr<Bitmap> LiftMaskedPixels(Bitmap& picture, const CHueMask& mask, uint32_t fill);
