#pragma once

#include "platform/Bitmap.h"

// The three slider positions of the contrast dialog, 0..100; 50 leaves a channel alone.
struct ContrastParams {
    int red = 50;
    int green = 50;
    int blue = 50;
};

// The factor for slider position p: f = (p / 100 - 0.5) * 2 + 1 in double precision, kept as
// a float: 0 at p = 0, 1 at p = 50, 2 at p = 100.
float ContrastFactor(int position);

// Contrast: each channel c' = trunc((c - 128) * f) + 128 (float product, truncated toward
// zero), limited to 0..255, with its own channel's factor. Alpha stays; every pixel is treated.
// At 0 every channel becomes 128.
void AdjustContrast(Bitmap& target, const ContrastParams& params);
