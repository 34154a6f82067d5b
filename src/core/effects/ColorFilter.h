#pragma once

#include <cstdint>

#include "platform/Bitmap.h"

// The colour filter's ranges and mode. Each range is [minimum, maximum] within 0..255.
struct ColorFilterParams {
    enum Mode { Keep = 0, Erase = 1 };
    int redMin = 0, redMax = 0;
    int greenMin = 0, greenMax = 0;
    int blueMin = 0, blueMax = 0;
    int mode = Keep;
    uint32_t eraseColor = 0xFFFFFFFF;  // only its red, green and blue are used

    // The dialog's start: every range collapsed to that channel of defaultColor (the primary
    // colour), erasing with eraseColour (the secondary colour), "Keep color".
    static ColorFilterParams FromColors(uint32_t defaultColor, uint32_t eraseColour);
};

// Colour filter. A channel is "inside" when minimum <= c <= maximum.
//   Keep:  a pixel whose three channels are all inside stays; every other pixel takes the
//          erase colour's red, green and blue.
//   Erase: a pixel with at least one channel inside takes the erase colour's red, green and
//          blue; one with all three outside stays.
// Alpha stays in both modes; every pixel is tested, whatever its alpha.
void ColorFilter(Bitmap& target, const ColorFilterParams& params);

// The dialog's range buttons, on all three channels at once.
// "Increase on N": minimum = max(minimum - N, 0), maximum = min(maximum + N, 255).
void ColorFilterIncrease(ColorFilterParams& params, int step);
// "Decrease on N": when |minimum - maximum| >= 2N, minimum = min(minimum + N, 255) and
// maximum = max(maximum - N, 0); otherwise both become minimum + |minimum - maximum| / 2.
void ColorFilterDecrease(ColorFilterParams& params, int step);
// A typed bound (channel 0 red, 1 green, 2 blue): the value is limited to 0..255; a new
// minimum raises the maximum to it when the maximum is smaller, a new maximum lowers the
// minimum to it when the minimum is larger.
void ColorFilterSetMinimum(ColorFilterParams& params, int channel, int value);
void ColorFilterSetMaximum(ColorFilterParams& params, int channel, int value);
