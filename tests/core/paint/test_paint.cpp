// The freehand tools' pixel operations on small bitmaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>
#include <vector>

#include "effects/RandomSequence.h"
#include "paint/BlurBrush.h"
#include "paint/Brush.h"
#include "paint/Eraser.h"
#include "paint/Pencil.h"
#include "paint/Spray.h"
#include "paint/Stamp.h"
#include "paint/StrokeLine.h"
#include "support/TestPictures.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;

std::vector<QPoint> Painted(const Bitmap& b, uint32_t background) {
    std::vector<QPoint> points;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            if (b.GetPixel(x, y) != background) {
                points.emplace_back(x, y);
            }
        }
    }
    return points;
}

std::vector<QPoint> LinePoints(QPoint from, QPoint to) {
    std::vector<QPoint> points;
    ForEachLinePoint(from, to, [&](QPoint p, QPoint) { points.push_back(p); });
    return points;
}

}  // namespace

TEST(StrokeLine, EveryPointFromEndToEndOneStepApart) {
    struct Case {
        QPoint from, to;
        size_t count;
    };
    const Case cases[] = {
        {{3, 3}, {3, 3}, 1},   {{0, 0}, {5, 0}, 6},   {{5, 0}, {0, 0}, 6},
        {{0, 0}, {0, -4}, 5},  {{0, 0}, {7, 3}, 8},   {{7, 3}, {0, 0}, 8},
        {{0, 0}, {-3, 9}, 10}, {{2, 2}, {-4, -4}, 7}, {{0, 0}, {100, 1}, 101},
    };
    for (const Case& c : cases) {
        const std::vector<QPoint> points = LinePoints(c.from, c.to);
        ASSERT_EQ(points.size(), c.count) << c.from.x() << "," << c.from.y();
        EXPECT_EQ(points.front(), c.from);
        EXPECT_EQ(points.back(), c.to);
        for (size_t i = 1; i < points.size(); ++i) {
            const QPoint d = points[i] - points[i - 1];
            EXPECT_LE(std::max(std::abs(d.x()), std::abs(d.y())), 1) << "a gap at step " << i;
        }
    }
    // The minor coordinate moves only once the error term is positive, not at the first step.
    EXPECT_EQ(LinePoints({0, 0}, {2, 1}), (std::vector<QPoint>{{0, 0}, {1, 0}, {2, 1}}));
}

TEST(Pencil, EachMaskTipSetsItsCellsWithTheColourItself) {
    struct Case {
        int tip;
        std::vector<QPoint> cells;  // relative to the point
    };
    const Case cases[] = {
        {0, {{0, 0}}},
        {1, {{0, -1}, {-1, 0}, {0, 0}, {1, 0}, {0, 1}}},
        {4, {{1, -1}, {0, 0}, {-1, 1}}},
        {5, {{2, -2}, {1, -1}, {0, 0}, {-1, 1}, {-2, 2}}},
        {6, {{3, -3}, {2, -2}, {1, -1}, {0, 0}, {-1, 1}, {-2, 2}, {-3, 3}}},
        {7, {{-1, -1}, {0, 0}, {1, 1}}},
        {8, {{-2, -2}, {-1, -1}, {0, 0}, {1, 1}, {2, 2}}},
        {9, {{-3, -3}, {-2, -2}, {-1, -1}, {0, 0}, {1, 1}, {2, 2}, {3, 3}}},
    };
    // A translucent colour is written as it is, not blended.
    const uint32_t colour = 0x80FF0000u;
    for (const Case& c : cases) {
        auto b = Bitmap::Create(20, 20, kWhite);
        DabPencil(*b, {10, 10}, c.tip, colour);
        std::set<std::pair<int, int>> expected;
        for (QPoint p : c.cells) {
            expected.insert({p.x() + 10, p.y() + 10});
        }
        std::set<std::pair<int, int>> got;
        for (QPoint p : Painted(*b, kWhite)) {
            got.insert({p.x(), p.y()});
            EXPECT_EQ(b->GetPixel(p.x(), p.y()), colour) << "tip " << c.tip;
        }
        EXPECT_EQ(got, expected) << "tip " << c.tip;
    }
}

TEST(Pencil, DisksAreBlendedRoundFillsOfTheirSquares) {
    struct Case {
        int tip, side;
    };
    for (const Case c : {Case{2, 7}, Case{3, 11}}) {
        auto b = Bitmap::Create(30, 30, kWhite);
        DabPencil(*b, {15, 15}, c.tip, 0xFF0000FFu);
        const std::vector<QPoint> painted = Painted(*b, kWhite);
        const QRect box = std::accumulate(painted.begin(), painted.end(), QRect(),
                                          [](QRect r, QPoint p) { return r | QRect(p, p); });
        EXPECT_EQ(box, QRect(15 - c.side / 2, 15 - c.side / 2, c.side, c.side)) << c.tip;
        // Round: the square's corners stay untouched.
        EXPECT_EQ(b->GetPixel(box.left(), box.top()), kWhite);
        EXPECT_EQ(b->GetPixel(box.right(), box.bottom()), kWhite);
        EXPECT_EQ(b->GetPixel(15, 15), 0xFF0000FFu);
    }
    // Blended: half-transparent black over white gives grey, opaque.
    auto b = Bitmap::Create(30, 30, kWhite);
    DabPencil(*b, {15, 15}, 2, 0x80000000u);
    EXPECT_EQ(ArgbAlpha(b->GetPixel(15, 15)), 255u);
    EXPECT_NEAR(int(ArgbRed(b->GetPixel(15, 15))), 127, 1);
}

TEST(Pencil, TipsAtTheEdgesAreClipped) {
    for (int tip = 0; tip < kPencilTips; ++tip) {
        for (QPoint at : {QPoint(0, 0), QPoint(4, 4), QPoint(-2, 3), QPoint(5, -6)}) {
            auto b = Bitmap::Create(5, 5, kWhite);
            DabPencil(*b, at, tip, 0xFF000000u);  // must not write outside
        }
    }
    auto b = Bitmap::Create(5, 5, kWhite);
    DabPencil(*b, {0, 0}, 1, 0xFF000000u);
    EXPECT_EQ(Painted(*b, kWhite).size(), 3u);
}

TEST(Pencil, DiagonalTipDrawnAcrossItsDirectionLeavesNoHoles) {
    // Tip 5 rises from bottom-left to top-right; moved down-right, single dabs would leave
    // every other anti-diagonal empty.
    auto b = Bitmap::Create(50, 50, kWhite);
    PencilSegment(*b, {10, 10}, {35, 35}, 5, 0xFF000000u);
    int holes = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x) {
            const bool inBand = std::abs(x - y) <= 3 && x + y >= 24 && x + y <= 68;
            if (inBand && b->GetPixel(x, y) == kWhite) {
                ++holes;
            }
        }
    }
    EXPECT_EQ(holes, 0);
    // The plain tips dab once per point: a one-pixel line has exactly its points.
    auto line = Bitmap::Create(50, 50, kWhite);
    PencilSegment(*line, {10, 10}, {35, 35}, 0, 0xFF000000u);
    EXPECT_EQ(Painted(*line, kWhite).size(), 26u);
}

TEST(Brush, RingAlphaUsesExponentTwoBelowSizeThirteenAndNeverZero) {
    struct Case {
        int n, k, a, alpha;
    };
    const Case cases[] = {
        {12, 4, 255, 3},                     // 255 / 8^2
        {16, 8, 255, 6},                     // 255 / 8^1.8 = 6.04
        {16, 14, 255, 73},                   // 255 / 2^1.8
        {4, 2, 255, 63},                     // 255 / 2^2
        {8, 6, 255, 63},   {16, 0, 255, 1},  // faint outer ring
        {4, 0, 0, 1},                        // a transparent colour still leaves alpha 1
        {16, 14, 0, 1},    {8, 0, 100, 1},   // 100 / 64 truncates to 1
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BrushRingAlpha(c.n, c.k, c.a), c.alpha) << c.n << " " << c.k << " " << c.a;
    }
}

TEST(Brush, DabIsSoftRoundAndEveryRingLeavesATrace) {
    for (int size = 0; size < 4; ++size) {
        const int n = BrushDabSize(size);
        auto b = Bitmap::Create(60, 60);
        const QRect covered = DabBrush(*b, {30, 30}, n, 0x00FF0000u);
        EXPECT_EQ(covered, QRect(30 - n + 1, 30 - n + 1, 2 * n + 1, 2 * n + 1));
        // Even with alpha 0 every pixel of the outer ring gets some alpha.
        const std::vector<QPoint> painted = Painted(*b, 0);
        ASSERT_FALSE(painted.empty());
        for (QPoint p : painted) {
            EXPECT_TRUE(covered.contains(p));
            EXPECT_GE(ArgbAlpha(b->GetPixel(p.x(), p.y())), 1u);
        }
        // The middle row of the outer ring is reached.
        const int middle = 30 + 1;
        EXPECT_GT(ArgbAlpha(b->GetPixel(covered.left(), middle)), 0u) << n;
    }
    // Opaque colour: stronger toward the middle than at the edge.
    auto b = Bitmap::Create(60, 60);
    DabBrush(*b, {30, 30}, 16, 0xFF0000FFu);
    EXPECT_GT(ArgbAlpha(b->GetPixel(31, 31)), ArgbAlpha(b->GetPixel(20, 31)));
    EXPECT_GT(ArgbAlpha(b->GetPixel(20, 31)), ArgbAlpha(b->GetPixel(16, 31)));
    EXPECT_EQ(b->GetPixel(31, 31) & 0xFFFFFF, 0x0000FFu);
}

TEST(Eraser, EachPixelIsReducedOncePerStroke) {
    struct Case {
        int strength;
        uint32_t before, after;
    };
    const Case cases[] = {
        {128, 0xFF336699u, 0x7F336699u},  // about half the alpha
        {255, 0xFF336699u, 0x00336699u},  // colours stay under alpha 0
        {0, 0xFF336699u, 0xFF336699u},
        {128, 0x80112233u, 0x3F112233u},  // 128 x 127 / 255 = 63.75
        {64, 0xC8445566u, 0x95445566u},   // 200 x 191 / 255 = 149.8
    };
    for (const Case& c : cases) {
        auto b = Bitmap::Create(40, 40, c.before);
        CEraseMask mask;
        mask.Reset(b->Size());
        // A stroke that crosses itself and passes twice over the same pixels.
        EraseSegment(*b, mask, {5, 20}, {35, 20}, 5, c.strength);
        EraseSegment(*b, mask, {35, 20}, {20, 5}, 5, c.strength);
        EraseSegment(*b, mask, {20, 5}, {20, 35}, 5, c.strength);
        EraseSegment(*b, mask, {20, 35}, {5, 20}, 5, c.strength);
        for (QPoint p : {QPoint(20, 20), QPoint(5, 20), QPoint(35, 20), QPoint(20, 33)}) {
            EXPECT_EQ(Hex(b->GetPixel(p.x(), p.y())), Hex(c.after)) << c.strength;
        }
        EXPECT_EQ(b->GetPixel(1, 1), c.before) << "untouched outside the stroke";
        // A new stroke reduces again.
        mask.Reset(b->Size());
        EraseSquare(*b, mask, {20, 20}, 3, c.strength);
        EXPECT_EQ(ArgbAlpha(b->GetPixel(20, 20)), ArgbAlpha(c.after) * (255 - c.strength) / 255);
    }
}

TEST(Eraser, SquareSidesAndClipping) {
    for (int size = 0; size < 4; ++size) {
        const int side = EraserSide(size);
        auto b = Bitmap::Create(30, 30, 0xFF000000u);
        CEraseMask mask;
        mask.Reset(b->Size());
        EraseSquare(*b, mask, {15, 15}, side, 255);
        EXPECT_EQ(Painted(*b, 0xFF000000u).size(), size_t(side * side));
        EXPECT_EQ(b->GetPixel(15 - side / 2, 15 - side / 2), 0u);
        // At a corner only what lies inside.
        mask.Reset(b->Size());
        EraseSquare(*b, mask, {-1, 29}, side, 255);
    }
    // A mask smaller than the bitmap (the target changed in the stroke) stops the eraser.
    auto b = Bitmap::Create(10, 10, 0xFF000000u);
    CEraseMask mask;
    mask.Reset({5, 5});
    EraseSquare(*b, mask, {5, 5}, 5, 255);
    EXPECT_EQ(Painted(*b, 0xFF000000u).size(), 4u);
}

TEST(Spray, DotsFallInsideTheRadiusWithTheColourItself) {
    for (int size = 0; size < 4; ++size) {
        const int r = SprayRadius(size);
        auto b = Bitmap::Create(100, 100, kWhite);
        CRandomSequence random;
        const QRect reach = SprayPuff(*b, {50, 50}, r, SprayDots(size), 0x40123456u, random);
        const std::vector<QPoint> dots = Painted(*b, kWhite);
        EXPECT_GE(dots.size(), 2u);
        EXPECT_LE(dots.size(), size_t(SprayDots(size)));
        for (QPoint p : dots) {
            EXPECT_LE(std::hypot(p.x() - 50, p.y() - 50), r + 0.01);
            EXPECT_TRUE(reach.contains(p));
            EXPECT_EQ(b->GetPixel(p.x(), p.y()), 0x40123456u);
        }
        EXPECT_EQ(random.State(), CRandomSequence::JumpOf(2 * SprayDots(size)).Apply(1))
            << "two draws per dot";
    }
    // Near the edge dots outside are dropped.
    auto b = Bitmap::Create(4, 4, kWhite);
    CRandomSequence random;
    SprayPuff(*b, {0, 0}, 20, 35, 0xFF000000u, random);
}

TEST(BlurBrush, FootprintsHaveTheirSizesAndOrder) {
    const size_t sizes[] = {1, 5, 21, 69};
    for (int i = 0; i < 4; ++i) {
        const std::vector<QPoint>& f = BlurFootprint(i);
        EXPECT_EQ(f.size(), sizes[i]);
        std::set<std::pair<int, int>> seen;
        for (QPoint p : f) {
            EXPECT_TRUE(seen.insert({p.x(), p.y()}).second) << "no pixel twice";
            EXPECT_LE(std::max(std::abs(p.x()), std::abs(p.y())), BlurFootprintReach(i));
        }
    }
    EXPECT_EQ(BlurFootprint(1), (std::vector<QPoint>{{0, 0}, {-1, 0}, {0, -1}, {1, 0}, {0, 1}}));
    // The 69-pixel footprint has the arms beyond the 7 x 7 square but not their corners.
    const std::vector<QPoint>& big = BlurFootprint(3);
    EXPECT_NE(std::find(big.begin(), big.end(), QPoint(2, -4)), big.end());
    EXPECT_EQ(std::find(big.begin(), big.end(), QPoint(3, -4)), big.end());
    EXPECT_EQ(std::find(big.begin(), big.end(), QPoint(4, 4)), big.end());
}

TEST(BlurBrush, EachPixelAveragesTheWindowAsTheEarlierPixelsLeftIt) {
    // One row: the centre is blurred first, its left and right neighbours then see the
    // blurred centre (85), not the original 255.
    auto b = MakeBitmap(5, 1, [](int x, int) { return x == 2 ? 0xFFFFFFFFu : 0xFF000000u; });
    BlurDab(*b, {2, 0}, 1, 3);
    const uint32_t expected[] = {0xFF000000u, 0xFF1C1C1Cu, 0xFF555555u, 0xFF1C1C1Cu, 0xFF000000u};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(Hex(b->GetPixel(x, 0)), Hex(expected[x])) << x;
    }
    // Alpha is averaged like the colours; a larger kernel reaches further.
    auto a = MakeBitmap(7, 7, [](int x, int y) { return x == 3 && y == 3 ? 0xFF000000u : 0u; });
    BlurDab(*a, {3, 3}, 0, 5);
    EXPECT_EQ(ArgbAlpha(a->GetPixel(3, 3)), 255u / 25);
    // At the corner the window is clipped: the mean of the 4 pixels inside.
    auto c =
        MakeBitmap(3, 3, [](int x, int y) { return x == 0 && y == 0 ? 0xFF0000C8u : 0xFF000000u; });
    BlurDab(*c, {0, 0}, 0, 3);
    EXPECT_EQ(ArgbBlue(c->GetPixel(0, 0)), 50u);
}

TEST(Stamp, ClonesTheSnapshotAtTheOffsetInsideTheCircles) {
    auto snapshot = MakeBitmap(
        60, 40, [](int x, int y) { return MakeArgb(255, uint32_t(x * 4), uint32_t(y * 6), 7); });
    struct Case {
        QPoint snapshotOrigin;  // where the snapshot lies in the target
        QPoint offset;
    };
    for (const Case c : {Case{{0, 0}, {20, 5}}, Case{{-8, -3}, {20, 5}}, Case{{0, 0}, {-10, 0}}}) {
        auto target = Bitmap::Create(60, 40);
        const int a = 3;
        const QRect changed =
            CloneSegment(*target, *snapshot, c.snapshotOrigin, {30, 20}, {36, 20}, c.offset, a);
        int painted = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 60; ++x) {
                const uint32_t px = target->GetPixel(x, y);
                if (px == 0) {
                    continue;
                }
                ++painted;
                EXPECT_TRUE(changed.contains(x, y));
                const QPoint source = QPoint(x, y) - QPoint(1, 1) - c.offset - c.snapshotOrigin;
                EXPECT_EQ(Hex(px), Hex(snapshot->GetPixel(source.x(), source.y())))
                    << x << "," << y;
            }
        }
        // The union of the circles along the segment: wider than one disk, not the box.
        EXPECT_GT(painted, 40);
        EXPECT_LT(painted, changed.width() * changed.height());
        EXPECT_NE(target->GetPixel(31, 21), 0u) << "the first point is inside";
        EXPECT_NE(target->GetPixel(37, 21), 0u) << "the last point is inside";
        EXPECT_EQ(target->GetPixel(31 - a, 21 - a), 0u) << "the corners are not";
    }
    // Translucent snapshot pixels are blended over the target; transparent ones change nothing.
    auto clear = Bitmap::Create(20, 20);
    auto target = Bitmap::Create(20, 20, 0xFF00FF00u);
    CloneSegment(*target, *clear, {0, 0}, {10, 10}, {10, 10}, {0, 0}, 3);
    EXPECT_EQ(Painted(*target, 0xFF00FF00u).size(), 0u);
    auto half = Bitmap::Create(20, 20, 0x80FF0000u);
    CloneSegment(*target, *half, {0, 0}, {10, 10}, {10, 10}, {0, 0}, 3);
    const uint32_t mixed = target->GetPixel(11, 11);
    EXPECT_EQ(ArgbAlpha(mixed), 255u);
    EXPECT_NEAR(int(ArgbRed(mixed)), 128, 1);
    EXPECT_NEAR(int(ArgbGreen(mixed)), 127, 1);
}
