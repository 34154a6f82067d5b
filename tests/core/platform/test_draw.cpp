#include <gtest/gtest.h>

#include <QPolygon>

#include "platform/Draw.h"
#include "support/TestPictures.h"

TEST(Draw, SourceCopyReplacesAlphaAndIsClippedToTheDestination) {
    auto dst = Bitmap::Create(4, 4, 0xFF0000FF);
    auto src = Bitmap::Create(3, 3, 0x40FF0000);
    DrawBitmap(*dst, *src, 2, -1, 1.0f, CompositeMode::SourceCopy);
    EXPECT_EQ(dst->GetPixel(2, 0), 0x40FF0000u);
    EXPECT_EQ(dst->GetPixel(3, 1), 0x40FF0000u);
    EXPECT_EQ(dst->GetPixel(1, 0), 0xFF0000FFu);
    EXPECT_EQ(dst->GetPixel(2, 2), 0xFF0000FFu);
}

TEST(Draw, StretchingSamplesTheNearestPixel) {
    auto src = MakeBitmap(2, 2, [](int x, int y) { return 0xFF000000u | uint32_t(y * 2 + x + 1); });
    auto up = Bitmap::Create(4, 4);
    DrawBitmapRect(*up, QRect(0, 0, 4, 4), *src, src->Rect(), 1.0f, CompositeMode::SourceCopy);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(up->GetPixel(x, y), src->GetPixel(x / 2, y / 2)) << x << "," << y;
        }
    }
    auto wide = MakeBitmap(6, 1, [](int x, int) { return 0xFF000000u | uint32_t(x); });
    auto down = Bitmap::Create(3, 1);
    DrawBitmapRect(*down, QRect(0, 0, 3, 1), *wide, wide->Rect(), 1.0f, CompositeMode::SourceCopy);
    EXPECT_EQ(down->GetPixel(0, 0) & 0xFF, 1u);  // the centre of each pair of columns
    EXPECT_EQ(down->GetPixel(2, 0) & 0xFF, 5u);
}

TEST(Draw, RegionFillsAndClipsFollowTheOutline) {
    auto bitmap = Bitmap::Create(10, 10, 0xFFFFFFFF);
    const QRegion triangle(QPolygon({QPoint(0, 0), QPoint(10, 0), QPoint(0, 10)}), Qt::WindingFill);
    FillRegion(*bitmap, triangle, 0x00000000);
    EXPECT_EQ(bitmap->GetPixel(1, 1), 0u);
    EXPECT_EQ(bitmap->GetPixel(9, 9), 0xFFFFFFFFu);

    auto clipped = Bitmap::Create(10, 10, 0xFF00FF00);
    FillOutsideRegion(*clipped, QRegion(2, 2, 3, 3));
    EXPECT_EQ(clipped->GetPixel(3, 3), 0xFF00FF00u);
    EXPECT_EQ(clipped->GetPixel(5, 5), 0u);
    EXPECT_EQ(clipped->GetPixel(1, 3), 0u);
}

TEST(Draw, PainterDrawsOnTheBitmap) {
    auto bitmap = Bitmap::Create(20, 20);
    {
        BitmapPainter p(*bitmap);
        p.setPen(QPen(QColor(0, 0, 255), 1));
        p.drawLine(0, 10, 19, 10);
    }
    EXPECT_EQ(bitmap->GetPixel(5, 10), 0xFF0000FFu);
    EXPECT_EQ(bitmap->GetPixel(5, 5), 0u);
}
