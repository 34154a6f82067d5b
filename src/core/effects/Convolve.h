#pragma once

#include <cstdint>

#include "effects/PixelMatrix.h"
#include "platform/Bitmap.h"

class CProgress;

// The weighted sum of the kernel filters and the blur at pixel (x, y) of source. The kernel
// has kw x kh signed weights, index column + row * kw. With hx = (kw - 1) / 2 and
// hy = (kh - 1) / 2:
//   - the window is columns max(0, x - hx) .. min(x + hx, W - 1) and rows max(0, y - hy) ..
//     min(y + hy, H - 1); kernel column 0 meets the window's first column and kernel row 0
//     its first row, so at the left and top borders the kernel is applied shifted, and at the
//     right and bottom borders its last columns and rows go unused;
//   - a pixel contributes only when its red, green and blue are all non-zero: then
//     sR += R * w, sG += G * w, sB += B * w and sW += w;
//   - each channel is trunc(factor * s), divided by sW (integer division toward zero) when
//     sW != 0, limited to 0..255. A window without contributors gives black.
// Returns 0xFF000000 | R' << 16 | G' << 8 | B'; the callers put the pixel's own alpha back.
uint32_t ConvolvePixel(int x, int y, const int32_t* kernel, int kw, int kh,
                       const PixelMatrix& source, float factor);

// ConvolvePixel (factor 1) over every pixel of target whose alpha is non-zero, reading the
// untouched picture as a copy drawn onto transparent would hold it (a fully transparent pixel
// is transparent black, so it never contributes); the pixel keeps its alpha. Fully
// transparent pixels stay exactly as they are.
void ConvolveBitmap(Bitmap& target, const int32_t* kernel, int kw, int kh,
                    CProgress* progress = nullptr);
