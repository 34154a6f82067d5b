#pragma once

#include <QStringView>
#include <cstdint>
#include <optional>

#include "platform/Bitmap.h"  // MakeArgb

// The arithmetic of the colour bar and the colour dialogs, kept apart from their windows.
// Colours are 0xAARRGGBB with straight alpha; components are 0..255.

struct CRgbValue {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const CRgbValue&) const = default;
};

// Hue in whole degrees (0..360), saturation and value in whole percent (0..100).
struct CHsvValue {
    int h = 0;
    int s = 0;
    int v = 0;
    bool operator==(const CHsvValue&) const = default;
};

// RGB to HSV, in single precision, every result truncated: with M and m the largest and
// smallest component, H = 0 for grey (M == m); else from the largest channel,
//   red:   trunc((G - B) / (M - m) * 60), plus 360 when G < B,
//   green: trunc((B - R) / (M - m) * 60 + 120),
//   blue:  trunc((R - G) / (M - m) * 60 + 240);
// S = trunc((1 - m / M) * 100) (0 for black); V = trunc(M / 255 * 100).
CHsvValue RgbToHsv(CRgbValue rgb);

// HSV to RGB, the classic sextant formula in single precision: h = H / 60, i = floor(h) mod 6,
// f = h - floor(h), s = S / 100, v = V / 100, p = v(1 - s), q = v(1 - sf), t = v(1 - s(1 - f));
// (R, G, B) is (v,t,p), (q,v,p), (p,v,t), (p,q,v), (t,p,v) or (v,p,q) for i = 0..5, each times
// 255 and truncated. Not the exact inverse of RgbToHsv: the percentages lose precision, so
// grey 128 gives V 50, which comes back as 127.
CRgbValue HsvToRgb(CHsvValue hsv);

// The seven edits of the colour dialog.
enum class ColorField { Red, Green, Blue, Hue, Saturation, Value, Hex };

// The largest value a field takes: 255 for R, G, B; 360 for H; 100 for S and V; 0xFFFFFF for
// the hexadecimal RRGGBB.
int64_t ColorFieldMaximum(ColorField field);
// A typed value brought into the field's range: below 1 counts as 0, above the maximum is the
// maximum.
int ColorFieldLimit(ColorField field, int64_t value);
// The number a field's text holds: decimal (an optional minus sign and digits) or, for the
// hexadecimal field, hexadecimal digits. An empty text is 0. Anything else -- letters in a
// decimal field, a non-hex digit, signs or spaces in the hex field, more digits than any
// value needs -- is not a number: nullopt.
std::optional<int64_t> ParseColorField(ColorField field, QStringView text);

// The alpha of an opacity percentage (0..100): trunc(percent / 100 * 255), so 50 gives 127
// and 100 gives 255. Percentages outside 0..100 count as the nearest end.
int OpacityAlpha(int percent);
// color's red, green and blue with the alpha of the percentage.
uint32_t WithOpacity(uint32_t color, int percent);
// The percentage a colour picked with alpha a sets the opacity slider to: a * 100 / 255.
int OpacityPercentOfAlpha(int alpha);

// A text colour that stands out on color (its alpha ignored), opaque: each channel c becomes
// 255 - c, except that channels within 29 of 128 (99..157), which would come out nearly
// the same, become 0.
uint32_t ContrastingTextColor(uint32_t color);

inline constexpr CRgbValue RgbOf(uint32_t color) {
    return {int((color >> 16) & 0xFF), int((color >> 8) & 0xFF), int(color & 0xFF)};
}
