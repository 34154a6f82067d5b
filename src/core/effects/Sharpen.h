#pragma once

#include "platform/Bitmap.h"

class CProgress;

// Sharpen, in place. Rows top to bottom, pixels left to right, the outermost rows and columns
// skipped: each channel becomes (6 x centre - above - left - right - below) / 2 (integer
// division toward zero) limited to 0..255, reading the target itself, so the pixels above and
// to the left have already been sharpened when they are read. The centre keeps its alpha.
// Fully transparent pixels stay as they are (and are read as they are). A picture less than
// three pixels wide or high is not changed. The pass is sequential by its nature.
void Sharpen(Bitmap& target, CProgress* progress = nullptr);
