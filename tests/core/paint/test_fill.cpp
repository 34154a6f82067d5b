#include <gtest/gtest.h>

#include "paint/FillArea.h"
#include "paint/FloodFill.h"
#include "support/TestPictures.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;

// A white picture with a black ring: the square (2, 2) .. (8, 8)'s border.
std::unique_ptr<Bitmap> Ring() {
    return MakeBitmap(12, 12, [](int x, int y) {
        const bool onSquare = x >= 2 && x <= 8 && y >= 2 && y <= 8;
        const bool inside = x >= 3 && x <= 7 && y >= 3 && y <= 7;
        return onSquare && !inside ? kBlack : kWhite;
    });
}

}  // namespace

TEST(FloodFill, FillsTheConnectedAreaOfTheExactColourOnly) {
    auto inside = Ring();
    EXPECT_EQ(FloodFill(*inside, QPoint(5, 5), kRed), QRect(3, 3, 5, 5));
    EXPECT_EQ(inside->GetPixel(3, 7), kRed);
    EXPECT_EQ(inside->GetPixel(2, 5), kBlack);  // the ring bounds it
    EXPECT_EQ(inside->GetPixel(0, 0), kWhite);

    auto outside = Ring();
    EXPECT_EQ(FloodFill(*outside, QPoint(0, 0), kRed), QRect(0, 0, 12, 12));
    EXPECT_EQ(outside->GetPixel(11, 11), kRed);
    EXPECT_EQ(outside->GetPixel(5, 5), kWhite);  // the inside is not reached

    // Neighbours count through their sides only: a diagonal step is a wall.
    auto diagonal = MakeBitmap(4, 4, [](int x, int y) { return x == y ? kBlack : kWhite; });
    FloodFill(*diagonal, QPoint(3, 0), kRed);
    EXPECT_EQ(diagonal->GetPixel(1, 0), kRed);
    EXPECT_EQ(diagonal->GetPixel(0, 3), kWhite);

    // A colour differing in one channel by one is another colour.
    auto nearly = MakeBitmap(6, 1, [](int x, int) { return x == 3 ? 0xFFFFFFFEu : kWhite; });
    FloodFill(*nearly, QPoint(0, 0), kRed);
    EXPECT_EQ(nearly->GetPixel(2, 0), kRed);
    EXPECT_EQ(nearly->GetPixel(4, 0), kWhite);
}

TEST(FloodFill, StartsOutsideOrInTheFillColourChangeNothing) {
    auto ring = Ring();
    auto before = ring->Clone();
    EXPECT_TRUE(FloodFill(*ring, QPoint(-1, 3), kRed).isEmpty());
    EXPECT_TRUE(FloodFill(*ring, QPoint(12, 3), kRed).isEmpty());
    EXPECT_TRUE(FloodFill(*ring, QPoint(2, 2), kBlack).isEmpty());
    EXPECT_TRUE(SamePixels(*ring, *before));
}

TEST(FloodFill, LargeAreasAndLongWindingPathsFillWithoutDeepRecursion) {
    // One colour over a whole big picture, and a serpentine: walls on every other column, open
    // at alternate ends, so that the area is one path of 2000 x 1000 pixels turning a
    // thousand times. A recursive fill would need millions of frames for either.
    auto plain = Bitmap::Create(4000, 3000, kWhite);
    EXPECT_EQ(FloodFill(*plain, QPoint(1234, 2345), kRed), plain->Rect());
    EXPECT_EQ(plain->GetPixel(0, 0), kRed);
    EXPECT_EQ(plain->GetPixel(3999, 2999), kRed);

    const int w = 2001, h = 1000;
    auto maze = MakeBitmap(w, h, [](int x, int y) {
        if (x % 2 == 0) {
            return kWhite;
        }
        const bool openAtTop = (x / 2) % 2 == 1;
        return (openAtTop ? y == 0 : y == 999) ? kWhite : kBlack;
    });
    FloodFill(*maze, QPoint(0, h - 1), kRed);
    EXPECT_EQ(maze->GetPixel(w - 1, 0), kRed);  // the far end of the path
    EXPECT_EQ(maze->GetPixel(w - 1, h - 1), kRed);
    EXPECT_EQ(maze->GetPixel(1, 500), kBlack);
}

TEST(FillArea, LeftBlendsThePrimaryOverTheClickedColourRightTakesThePlainSecondary) {
    struct Case {
        const char* name;
        uint32_t color;
        bool blend;
        int percent;
        uint32_t expected;
    };
    const Case cases[] = {
        // Red at 50 % (alpha 127) over white: (255 * 127 + 255 * 128) / 255, 255 * 128 / 255.
        {"left at 50 %", kRed, true, 50, 0xFFFF8080},
        {"left at 100 %", kRed, true, 100, kRed},
        {"left at 0 %", kRed, true, 0, kWhite},
        {"right ignores the transparency", 0x4000FF00, false, 50, 0xFF00FF00},
    };
    for (const Case& c : cases) {
        auto ring = Ring();
        ASSERT_TRUE(FillArea(*ring, QPoint(5, 5), c.color, c.blend, c.percent)) << c.name;
        EXPECT_EQ(Hex(ring->GetPixel(4, 4)), Hex(c.expected)) << c.name;
        EXPECT_EQ(ring->GetPixel(2, 4), kBlack) << c.name;  // the ring bounds the fill
        EXPECT_EQ(ring->GetPixel(0, 0), kWhite) << c.name;
    }
    // The blend takes the clicked colour under the fill: red at 50 % over blue.
    EXPECT_EQ(Hex(BlendFillColor(kRed, 50, 0xFF0000FF)), Hex(0xFF7F0080));
}

TEST(FillArea, TheWholeTargetBecomesOpaqueAsItShowedOverWhite) {
    // A transparent left half, a half-transparent black right half and an opaque dot.
    auto layer = MakeBitmap(10, 4, [](int x, int y) {
        if (x == 9 && y == 3) {
            return 0xFF00FF00u;
        }
        return x < 5 ? 0x00000000u : 0x80000000u;
    });
    ASSERT_TRUE(FillArea(*layer, QPoint(0, 0), kBlack, true, 100));
    EXPECT_EQ(Hex(layer->GetPixel(4, 3)), Hex(kBlack));  // the transparent half was filled
    // Outside the area: the colour shown over white, opaque.
    EXPECT_EQ(Hex(layer->GetPixel(6, 1)), Hex(0xFF7F7F7F));
    EXPECT_EQ(layer->GetPixel(9, 3), 0xFF00FF00u);

    auto untouched = Ring();
    auto before = untouched->Clone();
    EXPECT_FALSE(FillArea(*untouched, QPoint(12, 0), kRed, true, 100));
    EXPECT_TRUE(SamePixels(*untouched, *before));
}
