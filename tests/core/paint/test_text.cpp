#include <gtest/gtest.h>

#include <algorithm>

#include "paint/TextDraw.h"
#include "support/TestPictures.h"

namespace {

// The box of the pixels that differ from background.
QRect InkBox(const Bitmap& b, uint32_t background) {
    QRect box;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            if (b.GetPixel(x, y) != background) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

}  // namespace

TEST(TextDraw, TenPointTextIsMeasuredAtNinetySixDotsPerInch) {
    const QFont font(QStringLiteral("Arial"), 10);
    const QSize zero = MeasureText(font, QStringLiteral("0"));
    EXPECT_GE(zero.height(), 13);  // 10 points are 13.3 pixels at 96 dpi
    EXPECT_LE(zero.height(), 18);
    EXPECT_GT(MeasureText(font, QStringLiteral("00")).width(), zero.width());
    // Trailing blanks count.
    EXPECT_GT(MeasureText(font, QStringLiteral("0  ")).width(), zero.width());
    EXPECT_EQ(MeasureText(font, QString()).height(), zero.height());
    EXPECT_EQ(MeasureText(font, QString()).width(), 0);
}

TEST(TextDraw, TextIsDrawnInItsColourInsideTheReturnedBox) {
    const QFont font(QStringLiteral("Arial"), 10);
    auto bitmap = Bitmap::Create(80, 40, 0xFFFFFFFF);
    const QRect touched =
        DrawTextLine(*bitmap, font, QPoint(10, 8), QStringLiteral("Hi"), 0xFF0000FF);
    const QRect ink = InkBox(*bitmap, 0xFFFFFFFF);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(touched.contains(ink))
        << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    EXPECT_GE(ink.left(), 10);
    EXPECT_GE(ink.top(), 8);
    EXPECT_LE(ink.bottom(), 8 + MeasureText(font, QStringLiteral("Hi")).height());
    // The strokes of the letters are the colour, smoothed at their edges only: blue with
    // little red or green left at the middle of a stem.
    int reddest = 255;
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        for (int x = ink.left(); x <= ink.right(); ++x) {
            const uint32_t p = bitmap->GetPixel(x, y);
            EXPECT_EQ(ArgbBlue(p), 255u);
            EXPECT_EQ(ArgbRed(p), ArgbGreen(p));
            reddest = std::min(reddest, int(ArgbRed(p)));
        }
    }
    EXPECT_LT(reddest, 40);

    auto before = bitmap->Clone();
    EXPECT_TRUE(DrawTextLine(*bitmap, font, QPoint(10, 8), QString(), 0xFF0000FF).isEmpty());
    EXPECT_TRUE(SamePixels(*bitmap, *before));
}
