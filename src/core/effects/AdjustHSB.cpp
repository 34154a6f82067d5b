#include "effects/AdjustHSB.h"

#include "effects/EffectRows.h"
#include "platform/Hls.h"

namespace {

int Scale(float factor, int value, int top) {
    if (factor < 0.5f) {
        return int(factor * 2 * float(value));
    }
    return value + int((double(factor) - 0.5) * 2 * (top - value));
}

}  // namespace

uint32_t AdjustHSBPixel(uint32_t argb, float hueFactor, float saturationFactor,
                        float brightnessFactor) {
    uint16_t h = 0, l = 0, s = 0;
    ColorRGBToHLS(MakeColorref(ArgbRed(argb), ArgbGreen(argb), ArgbBlue(argb)), &h, &l, &s);
    const uint32_t c =
        ColorHLSToRGB(uint16_t(Scale(hueFactor, h, 360)), uint16_t(Scale(brightnessFactor, l, 240)),
                      uint16_t(Scale(saturationFactor, s, 240)));
    return MakeArgb(ArgbAlpha(argb), ColorrefRed(c), ColorrefGreen(c), ColorrefBlue(c));
}

void AdjustHSB(Bitmap& target, const HSBParams& params, CProgress* progress) {
    const float fh = float(params.hue) / 100.0f, fs = float(params.saturation) / 100.0f,
                fb = float(params.brightness) / 100.0f;
    const int width = target.Width();
    ForEachRow(target, 60, progress, [&](uint32_t* row, int) {
        // Neighbouring pixels of a picture often share a colour: convert each run once.
        uint32_t lastIn = 0, lastOut = AdjustHSBPixel(0, fh, fs, fb);
        for (int x = 0; x < width; ++x) {
            const uint32_t p = row[x];
            if ((p & 0x00FFFFFFu) != (lastIn & 0x00FFFFFFu)) {
                lastIn = p;
                lastOut = AdjustHSBPixel(p, fh, fs, fb);
            }
            row[x] = (p & 0xFF000000u) | (lastOut & 0x00FFFFFFu);
        }
    });
}
