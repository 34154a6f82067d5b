#pragma once

#include <array>
#include <cstdint>

#include "platform/Bitmap.h"

class CProgress;

// The five fixed 3 x 3 filters of the Effects menu (rows top to bottom):
//   Contrast Filter   0 -1  0 / -1  5 -1 /  0 -1  0   (weights sum to 1)
//   High Contrast    -1 -1 -1 / -1  9 -1 / -1 -1 -1   (1)
//   Prewitt          -1 -1 -1 /  0  0  0 /  1  1  1   (0: horizontal edges only)
//   Sobel            -1  0  1 / -2  0  2 / -1  0  1   (0: vertical edges only)
//   Laplas            0  1  0 /  1 -4  1 /  0  1  0   (0)
// No absolute value is taken, so negative responses become 0.
enum class KernelFilter { ContrastFilter, HighContrast, Prewitt, Sobel, Laplas };

const std::array<int32_t, 9>& KernelOf(KernelFilter filter);

// ConvolveBitmap with the filter's kernel: every pixel with non-zero alpha becomes the
// ConvolvePixel sum of its window (border shift and zero-channel rule included) with its own
// alpha; fully transparent pixels stay.
void ApplyKernelFilter(Bitmap& target, KernelFilter filter, CProgress* progress = nullptr);
