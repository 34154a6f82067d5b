#include "platform/ColorModel.h"

#include <algorithm>
#include <cmath>

CHsvValue RgbToHsv(CRgbValue rgb) {
    const int maxC = std::max({rgb.r, rgb.g, rgb.b});
    const int minC = std::min({rgb.r, rgb.g, rgb.b});
    CHsvValue hsv;
    if (maxC != minC) {
        const float range = float(maxC - minC);
        if (rgb.r == maxC) {
            hsv.h = int(float(rgb.g - rgb.b) / range * 60.0f);
            if (rgb.g < rgb.b) {
                hsv.h += 360;
            }
        } else if (rgb.g == maxC) {
            hsv.h = int(float(rgb.b - rgb.r) / range * 60.0f + 120.0f);
        } else {
            hsv.h = int(float(rgb.r - rgb.g) / range * 60.0f + 240.0f);
        }
    }
    hsv.s = maxC == 0 ? 0 : int((1.0f - float(minC) / float(maxC)) * 100.0f);
    hsv.v = int(float(maxC) / 255.0f * 100.0f);
    return hsv;
}

CRgbValue HsvToRgb(CHsvValue hsv) {
    const float h = float(hsv.h) / 60.0f;
    const float whole = std::floor(h);
    const int i = ((int(whole) % 6) + 6) % 6;
    const float f = h - whole;
    const float s = float(hsv.s) / 100.0f;
    const float v = float(hsv.v) / 100.0f;
    const float p = v * (1.0f - s);
    const float q = v * (1.0f - s * f);
    const float t = v * (1.0f - s * (1.0f - f));
    float r = 0, g = 0, b = 0;
    switch (i) {
        case 0:
            r = v, g = t, b = p;
            break;
        case 1:
            r = q, g = v, b = p;
            break;
        case 2:
            r = p, g = v, b = t;
            break;
        case 3:
            r = p, g = q, b = v;
            break;
        case 4:
            r = t, g = p, b = v;
            break;
        default:
            r = v, g = p, b = q;
            break;
    }
    return {int(r * 255.0f), int(g * 255.0f), int(b * 255.0f)};
}

int64_t ColorFieldMaximum(ColorField field) {
    switch (field) {
        case ColorField::Red:
        case ColorField::Green:
        case ColorField::Blue:
            return 255;
        case ColorField::Hue:
            return 360;
        case ColorField::Saturation:
        case ColorField::Value:
            return 100;
        case ColorField::Hex:
            return 0xFFFFFF;
    }
    return 0;
}

int ColorFieldLimit(ColorField field, int64_t value) {
    if (value < 1) {
        return 0;
    }
    return int(std::min(value, ColorFieldMaximum(field)));
}

std::optional<int64_t> ParseColorField(ColorField field, QStringView text) {
    // Enough digits for any value worth limiting; longer texts are refused rather than
    // overflowing.
    constexpr qsizetype kMaxDigits = 9;
    const bool hex = field == ColorField::Hex;
    QStringView digits = text;
    bool negative = false;
    if (!hex && digits.startsWith(u'-')) {
        negative = true;
        digits = digits.mid(1);
    }
    if (digits.size() > kMaxDigits) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (QChar c : digits) {
        int digit = -1;
        if (c >= u'0' && c <= u'9') {
            digit = c.unicode() - u'0';
        } else if (hex && c >= u'a' && c <= u'f') {
            digit = c.unicode() - u'a' + 10;
        } else if (hex && c >= u'A' && c <= u'F') {
            digit = c.unicode() - u'A' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * (hex ? 16 : 10) + digit;
    }
    return negative ? -value : value;
}

int OpacityAlpha(int percent) {
    // Integer arithmetic gives the exact truncation, where 20 / 100.0 * 255 might not.
    return std::clamp(percent, 0, 100) * 255 / 100;
}

uint32_t WithOpacity(uint32_t color, int percent) {
    return (color & 0x00FFFFFFu) | uint32_t(OpacityAlpha(percent)) << 24;
}

int OpacityPercentOfAlpha(int alpha) {
    return std::clamp(alpha, 0, 255) * 100 / 255;
}

uint32_t ContrastingTextColor(uint32_t color) {
    auto contrast = [](uint32_t c) -> uint32_t {
        return (c >= 128 - 29 && c <= 128 + 29) ? 0 : 255 - c;
    };
    return 0xFF000000u | contrast((color >> 16) & 0xFF) << 16 | contrast((color >> 8) & 0xFF) << 8 |
           contrast(color & 0xFF);
}
