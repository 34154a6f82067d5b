#pragma once

#include "effects/RandomSequence.h"
#include "platform/Bitmap.h"

// Set noise with strength s (0..100). For every pixel, x in the outer loop and y in the inner
// one, one value is drawn from random and d = trunc((value / 32768 - 0.5) * 4 * s) (single
// precision) is added to red, green and blue, each limited to 0..255; alpha stays. A fully
// transparent pixel is skipped, but its value is drawn all the same. The noise lies in
// -2s..2s and is the same for the three channels of a pixel; s = 0 changes nothing (and still
// draws). The pixels are visited row by row, each handed the draw that the column-by-column
// order gives it, so the result and the sequence's state afterwards are as in that order.
void SetNoise(Bitmap& target, int strength, CRandomSequence& random);
