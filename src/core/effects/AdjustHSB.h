#pragma once

#include <cstdint>

#include "platform/Bitmap.h"

class CProgress;

// The three slider positions of the HSB dialog, 0..100; 50 leaves a component alone.
struct HSBParams {
    int hue = 50;
    int saturation = 50;
    int brightness = 50;
};

// The new colour of one pixel (0xAARRGGBB, alpha kept). With f = position / 100 as a float for
// each slider and H, L, S from ColorRGBToHLS (0..240):
//   H' = trunc(fh * 2 * H)                       when fh < 0.5,
//        H + trunc((fh - 0.5) * 2 * (360 - H))   otherwise (so the hue may pass 240),
//   S' and L' alike with the saturation and brightness factors and 240 instead of 360;
// then ColorHLSToRGB(H', L', S').
uint32_t AdjustHSBPixel(uint32_t argb, float hueFactor, float saturationFactor,
                        float brightnessFactor);

// HSB: AdjustHSBPixel on every pixel, whatever its alpha.
void AdjustHSB(Bitmap& target, const HSBParams& params, CProgress* progress = nullptr);
