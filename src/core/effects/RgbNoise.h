#pragma once

#include "effects/RandomSequence.h"
#include "platform/Bitmap.h"

// The three slider positions of the RGB noise dialog, 0..100.
struct RgbNoiseParams {
    int red = 50;
    int green = 50;
    int blue = 50;
};

// RGB noise. For every pixel, x in the outer loop and y in the inner one, three values are
// drawn from random in the order red, green, blue, d_c = (value / 32768 - 0.5) * 4 * s_c with
// s_c the channel's position (single precision), and each channel becomes trunc(c + d_c)
// limited to 0..255; alpha stays. A fully transparent pixel is skipped after its three draws.
// At the middle positions each channel's noise lies in -100..100; all three at 0 change
// nothing. Visited row by row with the draws of the column-by-column order (see SetNoise).
void RgbNoise(Bitmap& target, const RgbNoiseParams& params, CRandomSequence& random);
