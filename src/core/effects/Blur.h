#pragma once

#include "platform/Bitmap.h"

class CProgress;

// The blur's kernel sizes: 3, 5, 7 or 9 (the dialog's slider positions 1 to 4).
constexpr int kBlurSizes[] = {3, 5, 7, 9};
bool IsBlurSize(int size);

// Blur: ConvolvePixel with a size x size kernel of ones. Every pixel with non-zero alpha
// becomes, channel by channel, the mean (integer division) of the contributing pixels of its
// window clipped to the picture (contributing: red, green and blue all non-zero, not fully
// transparent), keeping its alpha; a window without contributors gives black. Fully
// transparent pixels stay. Since every weight is 1 the border shift changes nothing, and the
// sums are taken row-wise then column-wise. False, with target untouched, when size is not a
// blur size.
bool Blur(Bitmap& target, int size, CProgress* progress = nullptr);
