#pragma once

#include "platform/Bitmap.h"

class CProgress;

// Emboss. From a copy of the target in which fully transparent pixels read as black and every
// alpha as 0xFF, each pixel (x, y) with 1 <= x <= W - 2 and 1 <= y <= H - 2 whose alpha is
// non-zero takes, channel by channel, the largest of the four absolute differences between
// opposite neighbours in the copy:
//   |N(x+1, y-1) - N(x-1, y+1)|, |N(x+1, y+1) - N(x-1, y-1)|,
//   |N(x, y-1) - N(x, y+1)|,     |N(x+1, y) - N(x-1, y)|,
// keeping its own alpha. Flat areas become black and edges bright. The border rows and
// columns and fully transparent pixels stay; a picture less than three pixels wide or high is
// not changed.
void Emboss(Bitmap& target, CProgress* progress = nullptr);
