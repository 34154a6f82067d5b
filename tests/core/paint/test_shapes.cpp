#include <gtest/gtest.h>

#include <string>

#include "paint/ShapeDraw.h"
#include "support/TestPictures.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kPen = 0xFF0000FF;
constexpr uint32_t kFill = 0xFFFF0000;

// The picture as rows of characters: '.' untouched, 'o' pen, 'f' fill, '?' anything else.
std::string Picture(const Bitmap& b) {
    std::string s;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            const uint32_t p = b.GetPixel(x, y);
            s += p == kWhite ? '.' : p == kPen ? 'o' : p == kFill ? 'f' : '?';
        }
        s += '\n';
    }
    return s;
}

// How many pixels of column x (row y when horizontal) have the pen colour.
int PenRun(const Bitmap& b, int at, bool column) {
    int n = 0;
    for (int i = 0; i < (column ? b.Height() : b.Width()); ++i) {
        n += (column ? b.GetPixel(at, i) : b.GetPixel(i, at)) == kPen;
    }
    return n;
}

}  // namespace

TEST(ShapeDraw, WidthIndicesGiveFactorsOneTwoThreeAndFive) {
    const std::pair<int, int> cases[] = {{0, 1}, {1, 2}, {2, 3}, {3, 5}, {-1, 1}, {7, 5}};
    for (auto [index, factor] : cases) {
        EXPECT_EQ(LineWidthFactor(index), factor) << index;
    }
}

TEST(ShapeDraw, LinesAreAsWideAsTheirFactorAndReachBothEnds) {
    for (int index = 0; index < 4; ++index) {
        const int factor = LineWidthFactor(index);
        auto horizontal = Bitmap::Create(30, 20, kWhite);
        DrawShape(*horizontal, ShapeKind::Line, QPoint(4, 10), QPoint(24, 10), factor, kPen, 0);
        EXPECT_EQ(PenRun(*horizontal, 14, true), factor) << "index " << index << "\n"
                                                         << Picture(*horizontal);
        auto vertical = Bitmap::Create(20, 30, kWhite);
        DrawShape(*vertical, ShapeKind::Line, QPoint(10, 24), QPoint(10, 4), factor, kPen, 0);
        EXPECT_EQ(PenRun(*vertical, 14, false), factor) << "index " << index << "\n"
                                                        << Picture(*vertical);
    }
    auto thin = Bitmap::Create(30, 5, kWhite);
    DrawShape(*thin, ShapeKind::Line, QPoint(4, 2), QPoint(24, 2), 1, kPen, 0);
    EXPECT_EQ(PenRun(*thin, 2, false), 21) << Picture(*thin);  // 4 .. 24, both ends
    EXPECT_EQ(thin->GetPixel(4, 2), kPen);
    EXPECT_EQ(thin->GetPixel(24, 2), kPen);
}

TEST(ShapeDraw, RectanglesOutlineTheSpannedPixelsAndFillInsideFirst) {
    // The same rectangle dragged from each of its corners.
    const std::pair<QPoint, QPoint> drags[] = {{QPoint(3, 2), QPoint(10, 7)},
                                               {QPoint(10, 7), QPoint(3, 2)},
                                               {QPoint(10, 2), QPoint(3, 7)}};
    const std::string outline =
        "..............\n"
        "..............\n"
        "...oooooooo...\n"
        "...o......o...\n"
        "...o......o...\n"
        "...o......o...\n"
        "...o......o...\n"
        "...oooooooo...\n"
        "..............\n";
    const std::string filled =
        "..............\n"
        "..............\n"
        "...oooooooo...\n"
        "...offffffo...\n"
        "...offffffo...\n"
        "...offffffo...\n"
        "...offffffo...\n"
        "...oooooooo...\n"
        "..............\n";
    for (const auto& [a, b] : drags) {
        auto open = Bitmap::Create(14, 9, kWhite);
        DrawShape(*open, ShapeKind::Rectangle, a, b, 1, kPen, kFill);
        EXPECT_EQ(Picture(*open), outline);
        auto full = Bitmap::Create(14, 9, kWhite);
        DrawShape(*full, ShapeKind::FilledRectangle, a, b, 1, kPen, kFill);
        EXPECT_EQ(Picture(*full), filled);
    }
}

TEST(ShapeDraw, EllipsesAreInscribedInTheRectangle) {
    auto open = Bitmap::Create(30, 24, kWhite);
    const QRect box(QPoint(4, 3), QPoint(24, 19));
    DrawShape(*open, ShapeKind::Ellipse, box.topLeft(), box.bottomRight(), 1, kPen, kFill);
    const QPoint centre = box.center();
    EXPECT_EQ(open->GetPixel(centre.x(), centre.y()), kWhite) << Picture(*open);
    EXPECT_EQ(open->GetPixel(box.left() + 1, box.top() + 1), kWhite);  // corners stay clear
    EXPECT_EQ(open->GetPixel(centre.x(), box.top()), kPen) << Picture(*open);
    EXPECT_EQ(open->GetPixel(box.left(), centre.y()), kPen);
    // Nothing outside the rectangle.
    for (int y = 0; y < open->Height(); ++y) {
        for (int x = 0; x < open->Width(); ++x) {
            if (!box.contains(x, y)) {
                ASSERT_EQ(open->GetPixel(x, y), kWhite) << x << "," << y << "\n" << Picture(*open);
            }
        }
    }
    auto full = Bitmap::Create(30, 24, kWhite);
    DrawShape(*full, ShapeKind::FilledEllipse, box.topLeft(), box.bottomRight(), 1, kPen, kFill);
    EXPECT_EQ(full->GetPixel(centre.x(), centre.y()), kFill) << Picture(*full);
    EXPECT_EQ(full->GetPixel(centre.x(), box.top()), kPen);
    EXPECT_EQ(full->GetPixel(box.left() + 1, box.top() + 1), kWhite);
}

TEST(ShapeDraw, TranslucentColoursBlendAndShapesBeyondTheEdgeAreClipped) {
    auto bitmap = Bitmap::Create(10, 10, kWhite);
    const QRect touched = DrawShape(*bitmap, ShapeKind::FilledRectangle, QPoint(-20, -20),
                                    QPoint(5, 5), 1, 0xFF000000, 0x80000000);
    EXPECT_EQ(touched, QRect(0, 0, 8, 8));
    const uint32_t inside = bitmap->GetPixel(2, 2);
    EXPECT_EQ(ArgbAlpha(inside), 255u);
    EXPECT_NEAR(int(ArgbRed(inside)), 127, 2) << Hex(inside).toStdString();
    EXPECT_EQ(bitmap->GetPixel(5, 3), 0xFF000000u);  // the outline's right edge
    EXPECT_EQ(bitmap->GetPixel(7, 7), kWhite);
    // Entirely outside: nothing to do.
    EXPECT_TRUE(
        DrawShape(*bitmap, ShapeKind::Line, QPoint(40, 40), QPoint(60, 40), 5, kPen, 0).isEmpty());
}
