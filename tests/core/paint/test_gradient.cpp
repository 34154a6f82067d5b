#include <gtest/gtest.h>

#include <cmath>

#include "paint/Gradient.h"
#include "support/TestPictures.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

int Grey(const Bitmap& b, int x, int y) {
    return int(ArgbRed(b.GetPixel(x, y)));
}

}  // namespace

TEST(Gradient, StartEqualToEndChangesNothing) {
    for (bool circular : {false, true}) {
        auto bitmap = MakePhotoLike(20, 10);
        auto before = bitmap->Clone();
        const bool drawn =
            circular ? CircularGradient(*bitmap, QPoint(5, 5), QPoint(5, 5), kBlack, kWhite)
                     : LinearGradient(*bitmap, QPoint(5, 5), QPoint(5, 5), kBlack, kWhite);
        EXPECT_FALSE(drawn) << circular;
        EXPECT_TRUE(SamePixels(*bitmap, *before)) << circular;
    }
}

TEST(Gradient, LinearSidesTakeTheEndColoursAndTheBandRunsBetween) {
    auto bitmap = Bitmap::Create(50, 6, 0xFF00FF00);
    ASSERT_TRUE(LinearGradient(*bitmap, QPoint(10, 2), QPoint(30, 2), kBlack, kWhite));
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(bitmap->GetPixel(0, y), kBlack);
        EXPECT_EQ(bitmap->GetPixel(10, y), kBlack);
        EXPECT_EQ(bitmap->GetPixel(30, y), kWhite);
        EXPECT_EQ(bitmap->GetPixel(49, y), kWhite);
        EXPECT_NEAR(Grey(*bitmap, 20, y), 128, 1);
        EXPECT_NEAR(Grey(*bitmap, 15, y), 64, 1);
    }
    for (int x = 11; x <= 30; ++x) {
        EXPECT_GE(Grey(*bitmap, x, 0), Grey(*bitmap, x - 1, 0)) << x;
    }
}

TEST(Gradient, ALinearGradientIsConstantAlongLinesPerpendicularToIt) {
    // Diagonal from (5, 5) to (25, 25): pixels on a line x + y = const share a colour, and the
    // reversed drag gives the reversed colours.
    auto forward = Bitmap::Create(40, 40);
    auto backward = Bitmap::Create(40, 40);
    ASSERT_TRUE(LinearGradient(*forward, QPoint(5, 5), QPoint(25, 25), kBlack, kWhite));
    ASSERT_TRUE(LinearGradient(*backward, QPoint(25, 25), QPoint(5, 5), kWhite, kBlack));
    for (int x = 0; x < 40; ++x) {
        const int y = 30 - x;
        if (y >= 0 && y < 40) {
            EXPECT_EQ(forward->GetPixel(x, y), forward->GetPixel(15, 15)) << x;
        }
    }
    EXPECT_EQ(forward->GetPixel(0, 0), kBlack);
    EXPECT_EQ(forward->GetPixel(39, 39), kWhite);
    EXPECT_TRUE(SamePixels(*forward, *backward, 1));
}

TEST(Gradient, CircularRunsFromTheCentreToTheTruncatedRadiusThenStays) {
    // From (20, 20) to (23, 24): distance 5, radius 5. A distance of sqrt(32) = 5.66 gives
    // radius 5 as well.
    for (QPoint end : {QPoint(23, 24), QPoint(24, 24)}) {
        auto bitmap = Bitmap::Create(41, 41, 0xFF00FF00);
        ASSERT_TRUE(CircularGradient(*bitmap, QPoint(20, 20), end, kBlack, kWhite));
        EXPECT_EQ(bitmap->GetPixel(20, 20), kBlack);
        EXPECT_EQ(bitmap->GetPixel(25, 20), kWhite);  // on the rim
        EXPECT_EQ(bitmap->GetPixel(0, 0), kWhite);    // outside
        EXPECT_EQ(bitmap->GetPixel(40, 40), kWhite);
        EXPECT_NEAR(Grey(*bitmap, 20, 22), 102, 1);  // 2 / 5 of the way
        EXPECT_EQ(bitmap->GetPixel(20, 22), bitmap->GetPixel(18, 20));
    }
}

TEST(Gradient, TranslucentColoursBlendAndTheClipKeepsTheRestUntouched) {
    auto bitmap = Bitmap::Create(20, 20, kWhite);
    const QRegion clip = QRegion(5, 5, 10, 10, QRegion::Ellipse);
    ASSERT_TRUE(LinearGradient(*bitmap, QPoint(0, 0), QPoint(19, 0), 0x80000000, 0x80000000, clip));
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const uint32_t p = bitmap->GetPixel(x, y);
            if (clip.contains(QPoint(x, y))) {
                ASSERT_EQ(ArgbAlpha(p), 255u);
                ASSERT_NEAR(int(ArgbRed(p)), 127, 1) << x << "," << y;
            } else {
                ASSERT_EQ(p, kWhite) << x << "," << y;
            }
        }
    }
    // Alpha runs with the colour: from opaque red to transparent red on a transparent target.
    auto clear = Bitmap::Create(11, 1);
    ASSERT_TRUE(LinearGradient(*clear, QPoint(0, 0), QPoint(10, 0), 0xFFFF0000, 0x00FF0000));
    EXPECT_EQ(ArgbAlpha(clear->GetPixel(0, 0)), 255u);
    EXPECT_NEAR(int(ArgbAlpha(clear->GetPixel(5, 0))), 128, 1);
    EXPECT_EQ(ArgbAlpha(clear->GetPixel(10, 0)), 0u);
}
