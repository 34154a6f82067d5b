#pragma once

#include "platform/Bitmap.h"

// The three slider positions of the brightness dialog, 0..100; 50 leaves a channel alone.
struct BrightnessParams {
    int red = 50;
    int green = 50;
    int blue = 50;
};

// The offset for slider position p: o = -150 - trunc(p / 100 * -300), in double precision and
// truncated toward zero. It runs from -150 (p = 0) through 0 (p = 50) to +150 (p = 100); the
// rounding of p / 100 makes p = 41, 57, 69 and 82 one less than 3p - 150.
int BrightnessOffset(int position);

// Brightness: every pixel's red, green and blue get their own channel's offset, c' = c + o
// limited to 0..255. Alpha stays; every pixel is treated, whatever its alpha.
void AdjustBrightness(Bitmap& target, const BrightnessParams& params);
