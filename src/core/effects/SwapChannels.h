#pragma once

#include "platform/Bitmap.h"

// Which two of the three channels the swap exchanges (exactly two are set).
struct SwapParams {
    bool red = false;
    bool green = false;
    bool blue = false;
};

// Swap channels: in every pixel the two flagged channels exchange their values; the third and
// alpha stay. Red and blue, red and green, and blue and green are the menu's three swaps. Fewer
// or more than two flags change nothing.
void SwapChannels(Bitmap& target, const SwapParams& params);
