#include <gtest/gtest.h>

#include "paint/HueMask.h"
#include "platform/Hls.h"
#include "support/TestPictures.h"

namespace {

// An opaque saturated colour of the given hue.
uint32_t OfHue(int hue) {
    const uint32_t c = ColorHLSToRGB(uint16_t(hue), 120, 240);
    return MakeArgb(255, ColorrefRed(c), ColorrefGreen(c), ColorrefBlue(c));
}

}  // namespace

TEST(HueMask, TheRangeWrapsOnlyFromHighStartHuesToLowHues) {
    struct Case {
        int hue, start, range;
        bool taken;
    };
    const Case cases[] = {
        {5, 230, 15, true},   // 5 - 230 + 240 = 15
        {230, 5, 15, false},  // 225 apart, and no wrap the other way
        {6, 230, 15, false},  // 16 after the wrap
        {20, 10, 10, true},  {21, 10, 10, false}, {0, 10, 10, true},
        {0, 239, 1, true},   {239, 0, 1, false},  {160, 160, 0, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HueWithinRange(c.hue, c.start, c.range), c.taken)
            << c.hue << " from " << c.start << " range " << c.range;
    }
}

TEST(HueMask, FloodTakesConnectedPixelsOfSimilarHue) {
    for (int hue : {5, 230, 80}) {
        ASSERT_EQ(PixelHue(OfHue(hue)), hue);
    }
    // Left: hue 230, a column of hue 5 touching it, a column of hue 80, then hue 5 again
    // beyond (not connected).
    auto picture = MakeBitmap(10, 6, [](int x, int) {
        if (x < 4) {
            return OfHue(230);
        }
        if (x == 4) {
            return OfHue(5);
        }
        return x == 5 ? OfHue(80) : OfHue(5);
    });
    const CHueMask fromHigh = HueFloodMask(*picture, {1, 1}, 15);
    EXPECT_TRUE(fromHigh.At(0, 0));
    EXPECT_TRUE(fromHigh.At(4, 3)) << "hue 5 is within 15 of 230 across the wrap";
    EXPECT_FALSE(fromHigh.At(5, 3));
    EXPECT_FALSE(fromHigh.At(7, 3)) << "hue 5 beyond a hue-80 column is not connected";
    EXPECT_EQ(fromHigh.count, 5 * 6);
    EXPECT_EQ(fromHigh.bounds, QRect(0, 0, 5, 6));

    const CHueMask fromLow = HueFloodMask(*picture, {4, 2}, 15);
    EXPECT_FALSE(fromLow.At(3, 2)) << "hue 230 is not within 15 of 5";
    EXPECT_EQ(fromLow.count, 6);

    // Only the four side neighbours count.
    auto corner = MakeBitmap(3, 3, [](int x, int y) { return x == y ? OfHue(80) : OfHue(200); });
    EXPECT_EQ(HueFloodMask(*corner, {0, 0}, 10).count, 1);

    EXPECT_EQ(HueFloodMask(*picture, {1, 1}, 0).count, 0) << "range 0 takes nothing";
    EXPECT_EQ(HueFloodMask(*picture, {-1, 1}, 15).count, 0) << "a start outside the picture";
}

TEST(HueMask, LiftingMovesOnlyTheTakenPixelsAndLeavesTheFillColour) {
    auto picture = MakeBitmap(6, 4, [](int x, int) { return x == 2 ? OfHue(80) : OfHue(200); });
    picture->SetPixel(1, 1, OfHue(80));
    auto before = picture->Clone();
    const CHueMask mask = HueFloodMask(*picture, {2, 0}, 5);
    ASSERT_EQ(mask.bounds, QRect(1, 0, 2, 4));
    auto lifted = LiftMaskedPixels(*picture, mask, 0xFF0000FFu);
    ASSERT_NE(lifted, nullptr);
    ASSERT_EQ(lifted->Size(), QSize(2, 4));
    EXPECT_EQ(lifted->GetPixel(1, 2), before->GetPixel(2, 2));
    EXPECT_EQ(lifted->GetPixel(0, 1), before->GetPixel(1, 1));
    EXPECT_EQ(lifted->GetPixel(0, 2), 0x00000000u) << "not taken: transparent in the fragment";
    EXPECT_EQ(picture->GetPixel(2, 2), 0xFF0000FFu);
    EXPECT_EQ(picture->GetPixel(1, 2), before->GetPixel(1, 2)) << "not taken: stays in place";
    EXPECT_EQ(picture->GetPixel(3, 2), before->GetPixel(3, 2));

    EXPECT_EQ(LiftMaskedPixels(*picture, HueFloodMask(*picture, {0, 0}, 0), 0), nullptr);
}
