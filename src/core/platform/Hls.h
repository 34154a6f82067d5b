#pragma once

#include <cstdint>

// Hue, luminance and saturation on the 0..240 scale of the Windows shell's light-weight colour
// helpers, which the HSB adjustment is defined with. Colours here are COLORREF values: red in
// the low byte, then green, then blue (0x00BBGGRR), unlike our 0xAARRGGBB pixels.
//
// RGB to HLS: with M and m the largest and smallest of R, G, B,
//   L = ((M + m) * 240 + 255) / 510;
//   grey (M == m): S = 0 and H = 160 (the "undefined" hue);
//   otherwise S = ((M - m) * 240 + (M + m) / 2) / (M + m) when L <= 120, else
//             S = ((M - m) * 240 + (510 - M - m) / 2) / (510 - M - m),
//   and H comes from the channel that is largest, 40 steps per sixth of the circle, rounded,
//   then brought into 0..240.
// HLS to RGB is the inverse with the same rounding; a hue outside 0..240 is brought back by
// one turn of 240 (so values up to 480 wrap once, as the HSB adjustment relies on).
void ColorRGBToHLS(uint32_t colorref, uint16_t* hue, uint16_t* luminance, uint16_t* saturation);
uint32_t ColorHLSToRGB(uint16_t hue, uint16_t luminance, uint16_t saturation);

inline constexpr uint32_t MakeColorref(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}
inline constexpr uint32_t ColorrefRed(uint32_t c) {
    return c & 0xFF;
}
inline constexpr uint32_t ColorrefGreen(uint32_t c) {
    return (c >> 8) & 0xFF;
}
inline constexpr uint32_t ColorrefBlue(uint32_t c) {
    return (c >> 16) & 0xFF;
}
