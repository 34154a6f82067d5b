#include "effects/ColorFilter.h"

#include <algorithm>
#include <cstdlib>

#include "effects/EffectRows.h"

namespace {

struct Range {
    int* minimum;
    int* maximum;
};

Range RangeOf(ColorFilterParams& p, int channel) {
    switch (channel) {
        case 0:
            return {&p.redMin, &p.redMax};
        case 1:
            return {&p.greenMin, &p.greenMax};
        default:
            return {&p.blueMin, &p.blueMax};
    }
}

// A bit per channel value: bit c is set when c lies in [minimum, maximum].
struct Inside {
    uint8_t table[256];
    Inside(int minimum, int maximum) {
        for (int c = 0; c < 256; ++c) {
            table[c] = c >= minimum && c <= maximum;
        }
    }
};

}  // namespace

ColorFilterParams ColorFilterParams::FromColors(uint32_t defaultColor, uint32_t eraseColour) {
    ColorFilterParams p;
    p.redMin = p.redMax = int(ArgbRed(defaultColor));
    p.greenMin = p.greenMax = int(ArgbGreen(defaultColor));
    p.blueMin = p.blueMax = int(ArgbBlue(defaultColor));
    p.eraseColor = eraseColour;
    return p;
}

void ColorFilter(Bitmap& target, const ColorFilterParams& params) {
    const Inside red(params.redMin, params.redMax), green(params.greenMin, params.greenMax),
        blue(params.blueMin, params.blueMax);
    const uint32_t erase = params.eraseColor & 0x00FFFFFFu;
    const bool keep = params.mode == ColorFilterParams::Keep;
    const int width = target.Width();
    ForEachRow(target, 4, [&](uint32_t* row, int) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = row[x];
            const int inside =
                red.table[ArgbRed(p)] + green.table[ArgbGreen(p)] + blue.table[ArgbBlue(p)];
            const bool replace = keep ? inside != 3 : inside != 0;
            if (replace) {
                row[x] = (p & 0xFF000000u) | erase;
            }
        }
    });
}

void ColorFilterIncrease(ColorFilterParams& params, int step) {
    for (int c = 0; c < 3; ++c) {
        const Range r = RangeOf(params, c);
        *r.minimum = std::max(*r.minimum - step, 0);
        *r.maximum = std::min(*r.maximum + step, 255);
    }
}

void ColorFilterDecrease(ColorFilterParams& params, int step) {
    for (int c = 0; c < 3; ++c) {
        const Range r = RangeOf(params, c);
        const int width = std::abs(*r.minimum - *r.maximum);
        if (width >= 2 * step) {
            *r.minimum = std::min(*r.minimum + step, 255);
            *r.maximum = std::max(*r.maximum - step, 0);
        } else {
            *r.minimum = *r.maximum = *r.minimum + width / 2;
        }
    }
}

void ColorFilterSetMinimum(ColorFilterParams& params, int channel, int value) {
    const Range r = RangeOf(params, channel);
    *r.minimum = std::clamp(value, 0, 255);
    *r.maximum = std::max(*r.maximum, *r.minimum);
}

void ColorFilterSetMaximum(ColorFilterParams& params, int channel, int value) {
    const Range r = RangeOf(params, channel);
    *r.maximum = std::clamp(value, 0, 255);
    *r.minimum = std::min(*r.minimum, *r.maximum);
}
