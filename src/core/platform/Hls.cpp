#include "platform/Hls.h"

#include <algorithm>

namespace {

constexpr int kHlsMax = 240;
constexpr int kRgbMax = 255;
constexpr int kUndefinedHue = kHlsMax * 2 / 3;

// One channel from the two "magic" levels and a hue, in HLS units.
int HueToLevel(int low, int high, int hue) {
    if (hue < 0) {
        hue += kHlsMax;
    } else if (hue > kHlsMax) {
        hue -= kHlsMax;
    }
    if (hue < kHlsMax / 6) {
        return low + ((high - low) * hue + kHlsMax / 12) / (kHlsMax / 6);
    }
    if (hue < kHlsMax / 2) {
        return high;
    }
    if (hue < kHlsMax * 2 / 3) {
        return low + ((high - low) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6);
    }
    return low;
}

int LevelToChannel(int level) {
    return std::clamp((level * kRgbMax + kHlsMax / 2) / kHlsMax, 0, kRgbMax);
}

}  // namespace

void ColorRGBToHLS(uint32_t colorref, uint16_t* hue, uint16_t* luminance, uint16_t* saturation) {
    const int r = int(ColorrefRed(colorref)), g = int(ColorrefGreen(colorref)),
              b = int(ColorrefBlue(colorref));
    const int cMax = std::max({r, g, b}), cMin = std::min({r, g, b});
    const int l = ((cMax + cMin) * kHlsMax + kRgbMax) / (2 * kRgbMax);
    int h = kUndefinedHue, s = 0;
    if (cMax != cMin) {
        const int delta = cMax - cMin;
        if (l <= kHlsMax / 2) {
            s = (delta * kHlsMax + (cMax + cMin) / 2) / (cMax + cMin);
        } else {
            const int rest = 2 * kRgbMax - cMax - cMin;
            s = (delta * kHlsMax + rest / 2) / rest;
        }
        auto part = [&](int c) { return ((cMax - c) * (kHlsMax / 6) + delta / 2) / delta; };
        if (r == cMax) {
            h = part(b) - part(g);
        } else if (g == cMax) {
            h = kHlsMax / 3 + part(r) - part(b);
        } else {
            h = kHlsMax * 2 / 3 + part(g) - part(r);
        }
        if (h < 0) {
            h += kHlsMax;
        } else if (h > kHlsMax) {
            h -= kHlsMax;
        }
    }
    *hue = uint16_t(h);
    *luminance = uint16_t(l);
    *saturation = uint16_t(s);
}

uint32_t ColorHLSToRGB(uint16_t hue, uint16_t luminance, uint16_t saturation) {
    const int h = hue, l = luminance, s = saturation;
    if (s == 0) {
        const int grey = std::clamp(l * kRgbMax / kHlsMax, 0, kRgbMax);
        return MakeColorref(uint32_t(grey), uint32_t(grey), uint32_t(grey));
    }
    const int high = l <= kHlsMax / 2 ? (l * (kHlsMax + s) + kHlsMax / 2) / kHlsMax
                                      : l + s - (l * s + kHlsMax / 2) / kHlsMax;
    const int low = 2 * l - high;
    const int r = LevelToChannel(HueToLevel(low, high, h + kHlsMax / 3));
    const int g = LevelToChannel(HueToLevel(low, high, h));
    const int b = LevelToChannel(HueToLevel(low, high, h - kHlsMax / 3));
    return MakeColorref(uint32_t(r), uint32_t(g), uint32_t(b));
}
