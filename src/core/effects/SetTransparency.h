#pragma once

#include "platform/Bitmap.h"

// Set transparency of a lifted selection: with f = strength / 255.0 kept as a float, every
// alpha becomes a' = trunc(a * f); red, green and blue stay. 255 keeps alpha, 0 makes every
// pixel fully transparent, 128 turns 255 into 128. strength is limited to 0..255.
void SetTransparency(Bitmap& target, int strength);
