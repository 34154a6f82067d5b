// Tone and colour adjustments: the per-pixel formulas at the positions where their rounding or
// their conditions matter, and the HLS conversion they build on.
#include <gtest/gtest.h>

#include "effects/AdjustBrightness.h"
#include "effects/AdjustContrast.h"
#include "effects/AdjustHSB.h"
#include "effects/ColorFilter.h"
#include "effects/GrayScale.h"
#include "effects/InvertColors.h"
#include "effects/ReplaceColor.h"
#include "effects/SetTransparency.h"
#include "effects/SwapChannels.h"
#include "platform/Hls.h"
#include "support/TestPictures.h"

namespace {

// A pixel as text, for readable failures.
std::string H(uint32_t argb) {
    return Hex(argb).toStdString();
}

}  // namespace

namespace {

std::unique_ptr<Bitmap> OnePixel(uint32_t argb) {
    return Bitmap::Create(1, 1, argb);
}

uint32_t After(uint32_t argb, const std::function<void(Bitmap&)>& effect) {
    auto b = OnePixel(argb);
    effect(*b);
    return b->GetPixel(0, 0);
}

}  // namespace

TEST(Hls, KnownColoursOnThe240Scale) {
    struct Case {
        uint32_t r, g, b;
        uint16_t h, l, s;
    };
    const Case cases[] = {
        {255, 0, 0, 0, 120, 240},     {0, 255, 0, 80, 120, 240}, {0, 0, 255, 160, 120, 240},
        {255, 255, 255, 160, 240, 0}, {0, 0, 0, 160, 0, 0},      {128, 64, 0, 20, 60, 240},
        {255, 128, 128, 0, 180, 240},
    };
    for (const Case& c : cases) {
        uint16_t h = 0, l = 0, s = 0;
        ColorRGBToHLS(MakeColorref(c.r, c.g, c.b), &h, &l, &s);
        EXPECT_EQ(h, c.h) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(l, c.l) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(s, c.s) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(ColorHLSToRGB(c.h, c.l, c.s), MakeColorref(c.r, c.g, c.b))
            << c.r << "," << c.g << "," << c.b;
    }
}

TEST(Hls, RoundTripStaysCloseAndHueWrapsOnce) {
    int worst = 0;
    for (uint32_t r = 0; r < 256; r += 15) {
        for (uint32_t g = 0; g < 256; g += 15) {
            for (uint32_t b = 0; b < 256; b += 15) {
                uint16_t h, l, s;
                ColorRGBToHLS(MakeColorref(r, g, b), &h, &l, &s);
                EXPECT_LE(h, 240);
                EXPECT_LE(l, 240);
                EXPECT_LE(s, 240);
                const uint32_t back = ColorHLSToRGB(h, l, s);
                worst = std::max({worst, std::abs(int(ColorrefRed(back)) - int(r)),
                                  std::abs(int(ColorrefGreen(back)) - int(g)),
                                  std::abs(int(ColorrefBlue(back)) - int(b))});
            }
        }
    }
    EXPECT_LE(worst, 4);
    EXPECT_EQ(ColorHLSToRGB(160, 120, 0), MakeColorref(127, 127, 127));
    // Hue 360 is hue 120 (cyan) after one turn; values up to 360 never leave 0..255.
    EXPECT_EQ(ColorHLSToRGB(360, 120, 240), MakeColorref(0, 255, 255));
    EXPECT_EQ(ColorHLSToRGB(360, 120, 240), ColorHLSToRGB(120, 120, 240));
    EXPECT_EQ(ColorHLSToRGB(300, 240, 240), MakeColorref(255, 255, 255));
}

TEST(Brightness, OffsetsIncludingTheDoubleRounding) {
    const std::pair<int, int> offsets[] = {{0, -150}, {41, -28}, {50, 0},  {57, 20},
                                           {69, 56},  {82, 95},  {83, 99}, {100, 150}};
    for (auto [p, o] : offsets) {
        EXPECT_EQ(BrightnessOffset(p), o) << "position " << p;
    }
    struct Case {
        BrightnessParams params;
        uint32_t in, out;
    };
    const Case cases[] = {
        {{50, 50, 50}, 0x4D0A64C8, 0x4D0A64C8},
        {{100, 100, 100}, 0x4D0A64C8, 0x4DA0FAFF},  // +150, saturating
        {{100, 50, 0}, 0x4D0A64C8, 0x4DA06432},     // each channel its own offset
        {{0, 0, 0}, 0x4D0A64C8, 0x4D000032},
        {{41, 41, 41}, 0xFF646464, 0xFF484848},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(H(After(c.in, [&](Bitmap& b) { AdjustBrightness(b, c.params); })), H(c.out));
    }
}

TEST(Contrast, FactorsAndTruncationTowardZero) {
    struct Case {
        int position;
        uint32_t in, out;
    };
    const Case cases[] = {
        {0, 0x33FF0010, 0x33808080},    // everything grey, alpha kept
        {50, 0x33FF0010, 0x33FF0010},   // unchanged
        {100, 0xFFC8647F, 0xFFFF487E},  // 200 -> 255, 100 -> 72, 127 -> 126
        {75, 0xFF817F80, 0xFF817F80},   // +-1.5 truncates to +-1: 129 and 127 stay
    };
    for (const Case& c : cases) {
        const ContrastParams params{c.position, c.position, c.position};
        EXPECT_EQ(H(After(c.in, [&](Bitmap& b) { AdjustContrast(b, params); })), H(c.out))
            << "position " << c.position;
    }
    EXPECT_FLOAT_EQ(ContrastFactor(0), 0.0f);
    EXPECT_FLOAT_EQ(ContrastFactor(100), 2.0f);
}

TEST(Hsb, MiddleSaturationZeroAndFullHue) {
    auto photo = MakePhotoLike(23, 17, 3);
    auto middle = photo->Clone();
    AdjustHSB(*middle, HSBParams{});
    for (int y = 0; y < photo->Height(); ++y) {
        for (int x = 0; x < photo->Width(); ++x) {
            const uint32_t p = photo->GetPixel(x, y);
            uint16_t h, l, s;
            ColorRGBToHLS(MakeColorref(ArgbRed(p), ArgbGreen(p), ArgbBlue(p)), &h, &l, &s);
            const uint32_t c = ColorHLSToRGB(h, l, s);
            ASSERT_EQ(H(middle->GetPixel(x, y)),
                      H(MakeArgb(ArgbAlpha(p), ColorrefRed(c), ColorrefGreen(c), ColorrefBlue(c))));
        }
    }
    auto grey = photo->Clone();
    AdjustHSB(*grey, HSBParams{50, 0, 50});
    for (int y = 0; y < grey->Height(); ++y) {
        for (int x = 0; x < grey->Width(); ++x) {
            const uint32_t p = grey->GetPixel(x, y);
            ASSERT_TRUE(ArgbRed(p) == ArgbGreen(p) && ArgbGreen(p) == ArgbBlue(p)) << H(p);
            ASSERT_EQ(ArgbAlpha(p), ArgbAlpha(photo->GetPixel(x, y)));
        }
    }
    // At 100 hue every hue moves to 360, one turn past 120: pure red becomes cyan.
    EXPECT_EQ(H(After(0x80FF0000,
                      [](Bitmap& b) {
                          AdjustHSB(b, HSBParams{100, 50, 50});
                      })),
              H(0x8000FFFF));
    EXPECT_EQ(H(After(0x80FF0000,
                      [](Bitmap& b) {
                          AdjustHSB(b, HSBParams{50, 50, 100});
                      })),
              H(0x80FFFFFF));
}

TEST(ChannelEffects, InvertGreySwapAndTransparency) {
    struct Case {
        const char* what;
        std::function<void(Bitmap&)> effect;
        uint32_t in, out;
    };
    const std::vector<Case> cases{
        {"invert all", [](Bitmap& b) { InvertColors(b, {}); }, 0x280A141E, 0x28F5EBE1},
        {"invert red",
         [](Bitmap& b) {
             InvertColors(b, {true, false, false});
         },
         0x280A141E, 0x28F5141E},
        {"grey", [](Bitmap& b) { GrayScale(b); }, 0x280A141F, 0x28141414},
        {"swap red blue",
         [](Bitmap& b) {
             SwapChannels(b, {true, false, true});
         },
         0x28010203, 0x28030201},
        {"swap red green",
         [](Bitmap& b) {
             SwapChannels(b, {true, true, false});
         },
         0x28010203, 0x28020103},
        {"swap blue green",
         [](Bitmap& b) {
             SwapChannels(b, {false, true, true});
         },
         0x28010203, 0x28010302},
        {"transparency 255", [](Bitmap& b) { SetTransparency(b, 255); }, 0xFF102030, 0xFF102030},
        {"transparency 128", [](Bitmap& b) { SetTransparency(b, 128); }, 0xFF102030, 0x80102030},
        {"transparency 128 of 100", [](Bitmap& b) { SetTransparency(b, 128); }, 0x64102030,
         0x32102030},
        {"transparency 0", [](Bitmap& b) { SetTransparency(b, 0); }, 0xFF102030, 0x00102030},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(H(After(c.in, c.effect)), H(c.out)) << c.what;
    }
}

TEST(ReplaceColor, OnlyVisiblePixelsOfExactlyThePrimaryColour) {
    const uint32_t primary = 0xFF0A141E, secondary = 0x7F112233;
    struct Case {
        uint32_t in, out;
    };
    const Case cases[] = {
        {0x010A141E, secondary},  // any alpha from 1 up, whole pixel replaced
        {0xFF0A141E, secondary},
        {0x000A141E, 0x000A141E},  // fully transparent: not replaced
        {0xFF0A141F, 0xFF0A141F},  // one step off
    };
    for (const Case& c : cases) {
        EXPECT_EQ(H(After(c.in, [&](Bitmap& b) { ReplaceColor(b, primary, secondary); })),
                  H(c.out));
    }
}

TEST(ColorFilter, KeepAndEraseModes) {
    const uint32_t erase = 0x00336699;
    auto picture = [] {
        return MakeBitmap(3, 2, [](int x, int y) {
            const uint32_t pixels[] = {0xFFFF0000, 0x80FF0000, 0xFFFE0000,
                                       0xFF000000, 0x40010101, 0xFF00FF10};
            return pixels[x + 3 * y];
        });
    };
    // Opened with pure red as the primary colour: everything not exactly pure red is erased.
    auto keep = picture();
    ColorFilter(*keep, ColorFilterParams::FromColors(0xFFFF0000, erase));
    const uint32_t keptOut[] = {0xFFFF0000, 0x80FF0000, 0xFF336699,
                                0xFF336699, 0x40336699, 0xFF336699};
    // Erase with [0, 0] everywhere: every pixel with a channel at 0 takes the erase colour.
    auto erased = picture();
    ColorFilterParams p = ColorFilterParams::FromColors(0xFF000000, erase);
    p.mode = ColorFilterParams::Erase;
    ColorFilter(*erased, p);
    const uint32_t erasedOut[] = {0xFF336699, 0x80336699, 0xFF336699,
                                  0xFF336699, 0x40010101, 0xFF336699};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(H(keep->GetPixel(i % 3, i / 3)), H(keptOut[i])) << "keep " << i;
        EXPECT_EQ(H(erased->GetPixel(i % 3, i / 3)), H(erasedOut[i])) << "erase " << i;
    }
}

TEST(ColorFilter, RangeButtonsAndTypedBounds) {
    struct Case {
        const char* what;
        std::function<void(ColorFilterParams&)> change;
        int min, max;  // before, on every channel
        int newMin, newMax;
    };
    const std::vector<Case> cases{
        {"decrease 5, narrow", [](auto& p) { ColorFilterDecrease(p, 5); }, 100, 106, 103, 103},
        {"decrease 5, wide", [](auto& p) { ColorFilterDecrease(p, 5); }, 100, 110, 105, 105},
        {"decrease 5, wider", [](auto& p) { ColorFilterDecrease(p, 5); }, 100, 130, 105, 125},
        {"decrease 10, 19 apart", [](auto& p) { ColorFilterDecrease(p, 10); }, 100, 119, 109, 109},
        {"decrease 10, 20 apart", [](auto& p) { ColorFilterDecrease(p, 10); }, 100, 120, 110, 110},
        {"increase 5 at the ends", [](auto& p) { ColorFilterIncrease(p, 5); }, 2, 253, 0, 255},
        {"increase 10", [](auto& p) { ColorFilterIncrease(p, 10); }, 50, 60, 40, 70},
        {"typed minimum above", [](auto& p) { ColorFilterSetMinimum(p, 1, 300); }, 10, 20, 255,
         255},
        {"typed maximum below", [](auto& p) { ColorFilterSetMaximum(p, 1, -4); }, 10, 20, 0, 0},
        {"typed minimum inside", [](auto& p) { ColorFilterSetMinimum(p, 1, 15); }, 10, 20, 15, 20},
    };
    for (const Case& c : cases) {
        ColorFilterParams p;
        p.redMin = p.greenMin = p.blueMin = c.min;
        p.redMax = p.greenMax = p.blueMax = c.max;
        c.change(p);
        EXPECT_EQ(p.greenMin, c.newMin) << c.what;
        EXPECT_EQ(p.greenMax, c.newMax) << c.what;
    }
}
