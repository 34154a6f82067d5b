#pragma once

#include "platform/Bitmap.h"

// Grey scale: every pixel's blue, green and red become g = (B + G + R) / 3 (integer division).
// Alpha stays; every pixel is treated.
void GrayScale(Bitmap& target);
