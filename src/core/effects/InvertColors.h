#pragma once

#include "platform/Bitmap.h"

// The three check boxes of the invert dialog: which channels are complemented.
struct InvertParams {
    bool red = true;
    bool green = true;
    bool blue = true;
};

// Invert colours: every checked channel becomes c' = 255 - c; the others and alpha stay.
void InvertColors(Bitmap& target, const InvertParams& params);
