#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "paint/LiveWire.h"
#include "support/TestPictures.h"

TEST(LiveWire, TheCostTables) {
    struct Diagonal {
        int i, d;
    };
    for (const Diagonal c : {Diagonal{0, 0}, {1, 1}, {2, 3}, {100, 141}, {255, 361}}) {
        EXPECT_EQ(CLiveWire::DiagonalWeight(c.i), c.d) << c.i;
    }
    const CLiveWire wire;
    struct Orientation {
        uint8_t direction;
        int horizontal, vertical, rising, falling;
    };
    const Orientation cases[] = {
        {0, 254, 0, 128, 128},     // a vertical edge: vertical links are free
        {127, 0, 254, 382, 126},   // a horizontal edge: horizontal links are free
        {64, 126, 128, 256, 0},    // n = 64
        {192, 126, 128, 0, 256},   // n = -64
        {255, 252, 2, 126, 130},   // no direction: n = -1
        {128, -2, 256, 128, 384},  // n = -128
    };
    for (const Orientation& c : cases) {
        EXPECT_EQ(wire.OrientationCost(0, c.direction), c.horizontal) << int(c.direction);
        EXPECT_EQ(wire.OrientationCost(1, c.direction), c.vertical) << int(c.direction);
        EXPECT_EQ(wire.OrientationCost(2, c.direction), c.rising) << int(c.direction);
        EXPECT_EQ(wire.OrientationCost(3, c.direction), c.falling) << int(c.direction);
    }
}

TEST(LiveWire, TheEdgeMapMarksAStepWithItsDirection) {
    // Black left of column 10, white from there on.
    auto picture =
        MakeBitmap(20, 12, [](int x, int) { return x < 10 ? 0xFF000000u : 0xFFFFFFFFu; });
    CLiveWire wire;
    wire.BuildEdgeMap(*picture);
    ASSERT_TRUE(wire.HasEdgeMap());
    EXPECT_GT(wire.Magnitude(9, 6), 150);
    EXPECT_GT(wire.Magnitude(10, 6), 150);
    // A horizontal derivative only: x = left - right is negative, so atan gives -pi/2.
    EXPECT_EQ(wire.Direction(9, 6), 0);
    EXPECT_EQ(wire.Magnitude(3, 6), 0) << "flat";
    EXPECT_EQ(wire.Direction(3, 6), CLiveWire::kNoDirection);
    EXPECT_EQ(wire.Magnitude(9, 0), 0) << "the border";
    EXPECT_EQ(wire.Direction(9, 0), CLiveWire::kNoDirection);
    // Along the edge a link costs less than across the flat part.
    EXPECT_LT(wire.LinkCost({9, 5}, {9, 6}), wire.LinkCost({3, 5}, {3, 6}));

    // White on the left instead: the opposite sign, +pi/2.
    auto mirrored =
        MakeBitmap(20, 12, [](int x, int) { return x < 10 ? 0xFFFFFFFFu : 0xFF000000u; });
    wire.BuildEdgeMap(*mirrored);
    EXPECT_EQ(wire.Direction(9, 6), 254);
}

TEST(LiveWire, TheEdgeMapMatchesTheFormulaOnAPhoto) {
    const int w = 23, h = 17;
    auto picture = MakePhotoLike(w, h, 3, false);
    CLiveWire wire;
    wire.BuildEdgeMap(*picture);
    auto channel = [&](int x, int y, int c) {
        x = std::clamp(x, 0, w - 1);
        y = std::clamp(y, 0, h - 1);
        return int((picture->GetPixel(x, y) >> (8 * c)) & 0xFF);
    };
    auto smooth = [&](int x, int y, int c) {
        int sum = 23 * channel(x, y, c);
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                sum += channel(x + dx, y + dy, c);
            }
        }
        return (sum + 16) / 32;
    };
    int directed = 0;
    for (int y = 1; y < h - 1; ++y) {
        for (int x = 1; x < w - 1; ++x) {
            int gx = 0, gy = 0;
            for (int c = 0; c < 3; ++c) {
                auto s = [&](int dx, int dy) { return smooth(x + dx, y + dy, c); };
                const int sx =
                    s(-1, -1) + 2 * s(-1, 0) + s(-1, 1) - s(1, -1) - 2 * s(1, 0) - s(1, 1);
                const int sy =
                    s(-1, -1) + 2 * s(0, -1) + s(1, -1) - s(-1, 1) - 2 * s(0, 1) - s(1, 1);
                const int vx = std::clamp(sx / 4, -127, 127), vy = std::clamp(sy / 4, -127, 127);
                gx = std::abs(vx) > std::abs(gx) ? vx : gx;
                gy = std::abs(vy) > std::abs(gy) ? vy : gy;
            }
            const double length = std::sqrt(double(gx * gx + gy * gy));
            ASSERT_EQ(wire.Magnitude(x, y), std::lround(length * 255 / 179.606)) << x << ", " << y;
            int dir = CLiveWire::kNoDirection;
            if (length > 63) {
                const double angle =
                    gy == 0 ? std::copysign(std::numbers::pi / 2, gx) : std::atan(double(gx) / gy);
                dir = int(std::floor((angle + std::numbers::pi / 2) * 254 / std::numbers::pi));
            }
            ASSERT_EQ(wire.Direction(x, y), dir) << x << ", " << y;
            directed += dir != CLiveWire::kNoDirection;
        }
    }
    EXPECT_GT(directed, 20) << "the photo has edges strong enough to have a direction";
}

TEST(LiveWire, ThePathFollowsAStrongEdgeAroundACorner) {
    // Dark where x < 10 above row 20 and where x < 25 from row 20 down: the boundary turns
    // twice, far from the straight line between the ends.
    const int w = 40, h = 40;
    auto dark = [](int x, int y) { return y < 20 ? x < 10 : x < 25; };
    auto picture =
        MakeBitmap(w, h, [&](int x, int y) { return dark(x, y) ? 0xFF202020u : 0xFFE0E0E0u; });
    auto nearEdge = [&](QPoint p) {
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const int x = p.x() + dx, y = p.y() + dy;
                if (x >= 0 && y >= 0 && x + 1 < w && y + 1 < h &&
                    (dark(x, y) != dark(x + 1, y) || dark(x, y) != dark(x, y + 1))) {
                    return true;
                }
            }
        }
        return false;
    };
    CLiveWire wire;
    wire.BuildEdgeMap(*picture);
    const QPoint start(10, 3), end(25, 36);
    const std::vector<QPoint> path = wire.FindPath(start, end);
    ASSERT_GE(path.size(), 2u);
    EXPECT_EQ(path.front(), start);
    EXPECT_EQ(path.back(), end);
    for (size_t i = 0; i < path.size(); ++i) {
        EXPECT_TRUE(nearEdge(path[i]))
            << "point " << i << ": " << path[i].x() << ", " << path[i].y();
        if (i > 0) {
            EXPECT_LE(std::abs(path[i].x() - path[i - 1].x()), 1);
            EXPECT_LE(std::abs(path[i].y() - path[i - 1].y()), 1);
        }
    }
    // Worked out only where the search reaches, the map gives the same path.
    CLiveWire lazy;
    lazy.AttachPicture(*picture);
    EXPECT_EQ(lazy.FindPath(start, end), path);
    // The way back follows the same edge.
    for (const QPoint& p : wire.FindPath(end, start)) {
        EXPECT_TRUE(nearEdge(p)) << p.x() << ", " << p.y();
    }
}

TEST(LiveWire, PointsOutsideThePictureAreHeldToIt) {
    auto picture = MakeBitmap(16, 10, [](int, int) { return 0xFF808080u; });
    CLiveWire wire;
    EXPECT_TRUE(wire.FindPath({1, 1}, {5, 5}).empty()) << "no edge map yet";
    wire.BuildEdgeMap(*picture);
    const std::vector<QPoint> path = wire.FindPath({-5, -3}, {40, 40});
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), QPoint(0, 0));
    EXPECT_EQ(path.back(), QPoint(15, 9));
    EXPECT_EQ(wire.FindPath({3, 3}, {3, 3}), std::vector<QPoint>{QPoint(3, 3)});
}
