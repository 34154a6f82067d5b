#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtEndian>

#include "document/PictorraDoc.h"
#include "support/TestPictures.h"

namespace {

const QString kPrivateFormat = QStringLiteral("application/x-brennic-image");

// A shown document of one layer holding picture.
std::unique_ptr<CPictorraDoc> DocOf(CDocumentHost* host, const Bitmap& picture) {
    auto doc = std::make_unique<CPictorraDoc>(host);
    EXPECT_TRUE(doc->OnNewDocument(picture.Width(), picture.Height()));
    doc->OnFrameActivated();
    doc->SetLayerBitmap(doc->ActiveLayer(), picture.Clone());
    return doc;
}

// Width and height as the program's clipboard format ends with them.
QByteArray Sizes(qint32 width, qint32 height) {
    char sizes[8];
    qToLittleEndian<qint32>(width, sizes);
    qToLittleEndian<qint32>(height, sizes + 4);
    return QByteArray(sizes, 8);
}

// A block in that format: the pixels (and extra bytes of garbage), then width and height.
QByteArray Block(const Bitmap& picture, qint32 width, qint32 height, qsizetype extra = 0) {
    QByteArray pixels(reinterpret_cast<const char*>(picture.Bits()),
                      qsizetype(picture.ByteCount()));
    return pixels + QByteArray(extra, '\x7F') + Sizes(width, height);
}

void SetClipboard(QMimeData* mime) {
    QGuiApplication::clipboard()->setMimeData(mime);
}

}  // namespace

TEST(Clipboard, CopyThenPasteMakesALayerOfTheOutlinesBox) {
    CDocumentHost host;
    const auto picture = MakePhotoLike(40, 30, 3);
    auto doc = DocOf(&host, *picture);
    doc->AddEmptyLayer();  // layer 2, above the active layer 1
    CSelection& s = doc->Selection();
    s.Append(CSelectionShape::Ellipse(CRect(5, 4, 25, 20)));
    s.m_nSelectionState = CSelection::kStateEllipse;
    const QRegion outline = s.m_rgnSelection;
    const CRect box = doc->GetSelectionBounds();
    ASSERT_TRUE(doc->CanCopy());
    doc->Copy();
    EXPECT_TRUE(SamePixels(*doc->Layer(1)->m_pBitmap, *picture)) << "Copy never changes pixels";
    EXPECT_FALSE(doc->IsSelectionPresent());
    EXPECT_FALSE(doc->m_pFragment);

    ASSERT_TRUE(doc->CanPaste());
    doc->Paste();
    ASSERT_EQ(doc->LayerCount(), 3);
    EXPECT_EQ(doc->ActiveLayerNumber(), 2) << "directly above the active layer, made active";
    const CLayerFrame* pasted = doc->Layer(2);
    EXPECT_EQ(doc->m_pActiveBitmap, pasted->m_pBitmap.get());
    ASSERT_EQ(pasted->m_pBitmap->Size(), QSize(box.Width(), box.Height()));
    EXPECT_EQ(QPoint(pasted->m_nOffsetX, pasted->m_nOffsetY), QPoint(0, 0));
    for (int y = 0; y < box.Height(); ++y) {
        for (int x = 0; x < box.Width(); ++x) {
            const QPoint image(box.left + x, box.top + y);
            const uint32_t expected =
                outline.contains(image) ? picture->GetPixel(image.x(), image.y()) : 0u;
            ASSERT_EQ(pasted->m_pBitmap->GetPixel(x, y), expected) << x << "," << y;
        }
    }
    EXPECT_TRUE(doc->IsModified());
}

TEST(Clipboard, OtherProgramsGetAnOpaqueImageAndCutLeavesAHole) {
    CDocumentHost host;
    const auto picture = MakeBitmap(6, 4, [](int x, int) { return x < 3 ? 0x80FF0000u : 0u; });
    auto doc = DocOf(&host, *picture);
    doc->SelectRectangle(CRect(1, 1, 5, 3));
    doc->Cut();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime && mime->hasImage());
    const QImage image = qvariant_cast<QImage>(mime->imageData());
    ASSERT_EQ(image.size(), QSize(4, 2));
    EXPECT_FALSE(image.hasAlphaChannel());
    // Half-transparent red over white, and transparent over white.
    EXPECT_EQ(qRed(image.pixel(0, 0)), 255);
    EXPECT_NEAR(qGreen(image.pixel(0, 0)), 127, 1);
    EXPECT_NEAR(qBlue(image.pixel(0, 0)), 127, 1);
    EXPECT_EQ(image.pixel(3, 1), 0xFFFFFFFFu);
    EXPECT_EQ(mime->data(kPrivateFormat), Block(*picture->Copy(QRect(1, 1, 4, 2)), 4, 2));
    for (int x = 1; x < 5; ++x) {
        EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(x, 1), 0u) << x;
    }
    EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(0, 1), 0x80FF0000u);
    EXPECT_FALSE(doc->IsSelectionPresent());

    // Crop leaves the area on the clipboard too.
    doc->SelectRectangle(CRect(0, 0, 2, 2));
    doc->Crop();
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data(kPrivateFormat).size(), 2 * 2 * 4 + 8);
}

TEST(Clipboard, AnImageFromAnotherProgramPastesThroughTheStandardImage) {
    CDocumentHost host;
    auto doc = DocOf(&host, *Bitmap::Create(10, 10, 0xFFFFFFFF));
    QImage image(7, 3, QImage::Format_RGB888);
    image.fill(QColor(10, 20, 30));
    image.setPixelColor(6, 2, QColor(200, 100, 50));
    auto* mime = new QMimeData;
    mime->setImageData(image);
    SetClipboard(mime);
    ASSERT_TRUE(doc->CanPaste());
    doc->Paste();
    ASSERT_EQ(doc->LayerCount(), 2);
    ASSERT_EQ(doc->m_pActiveBitmap->Size(), QSize(7, 3));
    EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(0, 0), 0xFF0A141Eu);
    EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(6, 2), 0xFFC86432u);

    // Text alone is nothing to paste.
    auto* text = new QMimeData;
    text->setText(QStringLiteral("not a picture"));
    SetClipboard(text);
    EXPECT_FALSE(doc->CanPaste());
}

TEST(Clipboard, AMalformedPrivateBlockIsRefused) {
    const auto pixels = MakePhotoLike(3, 2, 1);
    struct Case {
        const char* what;
        QByteArray block;
    };
    const std::vector<Case> cases{
        {"shorter than its sizes", QByteArray(5, '\x01')},
        {"one byte short", Block(*pixels, 3, 2).mid(1)},
        {"one byte long", Block(*pixels, 3, 2, 1)},
        {"width and height swapped with a longer height", Block(*pixels, 2, 4)},
        {"zero width", Block(*pixels, 0, 2)},
        {"negative height", Block(*pixels, 3, -2)},
        {"both negative, product positive", Block(*pixels, -3, -2)},
        {"more pixels than a picture may have", Block(*pixels, 65536, 65536)},
        {"a length that wraps to 8 in 32 bits", Sizes(32768, 32768)},
        {"too large a side", Block(*pixels, 1 << 20, 1)},
    };
    QImage fallback(4, 5, QImage::Format_RGB32);
    fallback.fill(QColor(1, 2, 3));
    for (const bool withImage : {false, true}) {
        for (const Case& c : cases) {
            CDocumentHost host;
            auto doc = DocOf(&host, *Bitmap::Create(8, 8, 0xFFFFFFFF));
            auto* mime = new QMimeData;
            mime->setData(kPrivateFormat, c.block);
            if (withImage) {
                mime->setImageData(fallback);
            }
            SetClipboard(mime);
            doc->Paste();
            if (withImage) {
                ASSERT_EQ(doc->LayerCount(), 2) << c.what;
                EXPECT_EQ(doc->m_pActiveBitmap->Size(), QSize(4, 5)) << c.what;
                EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(3, 4), 0xFF010203u) << c.what;
            } else {
                EXPECT_EQ(doc->LayerCount(), 1) << c.what;
                EXPECT_EQ(host.Messages(),
                          QStringList{"The clipboard holds no picture that can be pasted."})
                    << c.what;
                EXPECT_FALSE(doc->IsModified()) << c.what;
            }
        }
    }

    // The sound block of the same pixels pastes exactly, transparency included.
    CDocumentHost host;
    auto doc = DocOf(&host, *Bitmap::Create(8, 8, 0xFFFFFFFF));
    auto* mime = new QMimeData;
    mime->setData(kPrivateFormat, Block(*pixels, 3, 2));
    mime->setImageData(fallback);
    SetClipboard(mime);
    doc->Paste();
    EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *pixels));
}
