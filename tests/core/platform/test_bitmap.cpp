#include <gtest/gtest.h>

#include <QPainter>

#include "platform/Bitmap.h"
#include "support/TestPictures.h"

TEST(Bitmap, PixelIsBlueGreenRedAlphaInMemoryAndAarrggbbAsOneValue) {
    auto bitmap = Bitmap::Create(2, 1);
    bitmap->SetPixel(0, 0, 0x80FF4020);
    const uint8_t* bytes = bitmap->Bits();
    EXPECT_EQ(bytes[0], 0x20);  // blue
    EXPECT_EQ(bytes[1], 0x40);  // green
    EXPECT_EQ(bytes[2], 0xFF);  // red
    EXPECT_EQ(bytes[3], 0x80);  // alpha
    EXPECT_EQ(bitmap->Stride(), 8);
    EXPECT_EQ(ArgbAlpha(0x80FF4020), 0x80u);
    EXPECT_EQ(MakeArgb(0x80, 0xFF, 0x40, 0x20), 0x80FF4020u);
}

TEST(Bitmap, RefusesSizesItCannotHold) {
    struct Case {
        int w, h;
        bool ok;
    };
    for (const Case c :
         {Case{1, 1, true}, Case{0, 5, false}, Case{5, 0, false}, Case{-3, 4, false},
          Case{Bitmap::kMaxSide + 1, 1, false}, Case{Bitmap::kMaxSide, Bitmap::kMaxSide, false}}) {
        EXPECT_EQ(Bitmap::Create(c.w, c.h) != nullptr, c.ok) << c.w << " x " << c.h;
    }
    EXPECT_EQ(Bitmap::Create(3, 2)->GetPixel(2, 1), 0u) << "a new bitmap is transparent";
    EXPECT_EQ(Bitmap::Create(3, 2, 0xFFFFFFFF)->GetPixel(2, 1), 0xFFFFFFFFu);
}

TEST(Bitmap, ViewSharesMemorySoPaintingChangesTheBitmap) {
    auto bitmap = Bitmap::Create(4, 4);
    QImage view = bitmap->View();
    EXPECT_EQ(view.constBits(), bitmap->Bits());
    EXPECT_EQ(view.format(), QImage::Format_ARGB32);
    {
        QPainter p(&view);
        p.fillRect(QRect(1, 1, 2, 2), QColor(255, 0, 0));
    }
    EXPECT_EQ(bitmap->GetPixel(1, 1), 0xFFFF0000u);
    EXPECT_EQ(bitmap->GetPixel(0, 0), 0u);
}

TEST(Bitmap, CloneCopyAndFromImageKeepPixelsAndStraightAlpha) {
    auto source = MakePhotoLike(13, 7);
    auto clone = source->Clone();
    EXPECT_TRUE(SamePixels(*source, *clone));
    EXPECT_NE(clone->Serial(), source->Serial());

    auto part = source->Copy(QRect(10, 5, 10, 10));  // clipped to 3 x 2
    ASSERT_TRUE(part);
    EXPECT_EQ(part->Size(), QSize(3, 2));
    EXPECT_EQ(part->GetPixel(2, 1), source->GetPixel(12, 6));

    QImage half(1, 1, QImage::Format_ARGB32);
    half.setPixel(0, 0, 0x40102030);
    EXPECT_EQ(Bitmap::FromImage(half)->GetPixel(0, 0), 0x40102030u);
    EXPECT_TRUE(SamePixels(*Bitmap::FromImage(source->ToImage()), *source));
}
