#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "document/PictorraDoc.h"
#include "files/QpiFile.h"
#include "support/FileSizeLimit.h"
#include "support/TestPictures.h"

namespace {

QByteArray Ints(std::initializer_list<int32_t> values) {
    QByteArray b;
    for (int32_t v : values) {
        const int32_t le = qToLittleEndian(v);
        b.append(reinterpret_cast<const char*>(&le), 4);
    }
    return b;
}

// Opens bytes as a .qpi file; returns the messages shown.
QStringList OpenBytes(const QByteArray& bytes, CPictorraDoc* doc = nullptr) {
    QTemporaryDir dir;
    const QString path = dir.filePath("t.qpi");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    CDocumentHost host;
    CPictorraDoc own(&host);
    CPictorraDoc& target = doc ? *doc : own;
    CDocumentHost* shown = doc ? &doc->Host() : &host;
    const bool ok = target.OnOpenDocument(path);
    EXPECT_EQ(ok, shown->Messages().isEmpty());
    return shown->Messages();
}

}  // namespace

TEST(QpiFile, TheTwoPixelExampleIsFortyEightBytes) {
    CPictorraDoc doc;
    ASSERT_TRUE(doc.OnNewDocument(2, 1));
    doc.OnFrameActivated();
    doc.m_pActiveBitmap->SetPixel(0, 0, 0xFFFF0000);  // opaque red
    doc.m_pActiveBitmap->SetPixel(1, 0, 0x800000FF);  // half-transparent blue
    QTemporaryDir dir;
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("two.qpi")));
    QFile f(dir.filePath("two.qpi"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray expected =
        Ints({1, 1, 100, 0, 0, 2, 1, 32}) + QByteArray::fromHex("0000FFFFFF000080") + Ints({2, 1});
    EXPECT_EQ(f.readAll().toHex(), expected.toHex());
}

TEST(QpiFile, LayersComeBackWithSizesOffsetsVisibilityAndOpacity) {
    CPictorraDoc doc;
    ASSERT_TRUE(doc.OnNewDocument(30, 20));
    doc.OnFrameActivated();
    doc.SetLayerBitmap(doc.Layer(1), MakePhotoLike(30, 20, 1));
    doc.AddEmptyLayer();
    doc.SetLayerBitmap(doc.Layer(2), MakePhotoLike(7, 41, 2));
    doc.Layer(2)->m_nOffsetX = -3;
    doc.Layer(2)->m_nOffsetY = 5;
    doc.Layer(2)->m_nOpacity = 37;
    doc.SetActiveLayer(2);
    doc.AddEmptyLayer();
    doc.Layer(3)->m_bVisible = 0;
    doc.SetActiveLayer(3);
    QTemporaryDir dir;
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("stack.qpi")));

    CPictorraDoc back;
    ASSERT_TRUE(back.OnOpenDocument(dir.filePath("stack.qpi")));
    EXPECT_TRUE(back.m_bLayersLoaded);
    EXPECT_EQ(back.m_FileInfo.nWidth, 30);
    EXPECT_EQ(back.m_FileInfo.nHeight, 41);
    back.OnFrameActivated();
    ASSERT_EQ(back.LayerCount(), 3);
    EXPECT_EQ(back.ActiveLayerNumber(), 1) << "the bottom layer is active after opening";
    EXPECT_EQ(back.m_pActiveBitmap, back.Layer(1)->m_pBitmap.get());
    for (int n = 1; n <= 3; ++n) {
        const CLayerFrame &a = *doc.Layer(n), &b = *back.Layer(n);
        EXPECT_TRUE(SamePixels(*a.m_pBitmap, *b.m_pBitmap)) << "layer " << n;
        EXPECT_EQ(a.m_nOffsetX, b.m_nOffsetX);
        EXPECT_EQ(a.m_nOffsetY, b.m_nOffsetY);
        EXPECT_EQ(a.m_nOpacity, b.m_nOpacity);
        EXPECT_EQ(a.m_bVisible, b.m_bVisible);
        EXPECT_FALSE(b.m_History.CanUndo());
    }
}

TEST(QpiFile, DamagedFilesAreRefusedBeforeAnythingIsAllocated) {
    const QByteArray pixels(8, '\x7f');
    const QByteArray good = Ints({1, 1, 100, 0, 0, 2, 1, 32}) + pixels + Ints({2, 1});
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* message;
    };
    const std::vector<Case> cases{
        {"24 bits per pixel", Ints({1, 1, 100, 0, 0, 2, 1, 24}) + pixels + Ints({2, 1}),
         kMsgQpiBadPixelFormat},
        {"no layers", Ints({0, 2, 1}), kMsgQpiNoLayers},
        {"negative layer count", Ints({-5, 2, 1}), kMsgQpiNoLayers},
        {"more layers than bytes", Ints({1000000, 1, 100, 0, 0, 2, 1, 32}) + pixels + Ints({2, 1}),
         kMsgQpiDamaged},
        {"zero width", Ints({1, 1, 100, 0, 0, 0, 1, 32}) + Ints({2, 1}), kMsgQpiDamaged},
        {"negative height", Ints({1, 1, 100, 0, 0, 2, -1, 32}) + pixels + Ints({2, 1}),
         kMsgQpiDamaged},
        {"huge layer", Ints({1, 1, 100, 0, 0, 60000, 60000, 32}) + pixels + Ints({2, 1}),
         kMsgQpiDamaged},
        {"offset beyond reason", Ints({1, 1, 100, 0x7FFFFFF0, 0, 2, 1, 32}) + pixels + Ints({2, 1}),
         kMsgQpiDamaged},
        {"zero picture size", Ints({1, 1, 100, 0, 0, 2, 1, 32}) + pixels + Ints({0, 0}),
         kMsgQpiDamaged},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OpenBytes(c.bytes), QStringList{QString::fromLatin1(c.message)}) << c.what;
    }
    for (int length : {0, 3, 4, 11, 20, 35, 36, 40, 43, 44, 47}) {
        EXPECT_EQ(OpenBytes(good.left(length)), QStringList{QString::fromLatin1(kMsgQpiDamaged)})
            << "truncated at " << length;
    }
    EXPECT_TRUE(OpenBytes(good).isEmpty());
}

TEST(QpiFile, OpacityOutOfRangeIsClamped) {
    CPictorraDoc doc;
    EXPECT_TRUE(
        OpenBytes(Ints({1, 1, 250, 0, 0, 1, 1, 32}) + QByteArray(4, '\xff') + Ints({1, 1}), &doc)
            .isEmpty());
    doc.OnFrameActivated();
    EXPECT_EQ(doc.Layer(1)->m_nOpacity, 100);
}

TEST(QpiFile, ThePictureSizeAtTheEndSizesNoMemory) {
    CPictorraDoc doc;
    EXPECT_TRUE(
        OpenBytes(Ints({1, 1, 100, 0, 0, 2, 1, 32}) + QByteArray(8, '\x40') + Ints({30000, 30000}),
                  &doc)
            .isEmpty());
    EXPECT_EQ(doc.m_pBelowCache->Size(), QSize(2, 1));
    EXPECT_EQ(doc.m_pAboveCache->Size(), QSize(2, 1));
}

TEST(QpiFile, AFailedSaveLeavesTheEarlierFileAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.qpi");
    CDocumentHost host;
    CPictorraDoc doc(&host);
    ASSERT_TRUE(doc.OnNewDocument(20, 20));
    doc.OnFrameActivated();
    ASSERT_TRUE(doc.OnSaveDocument(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    doc.AddEmptyLayerOfSize(100, 100);  // the file would grow past the limit set below

    const bool savedOk = [&] {
        FileSizeLimit limit(before.size() + 1000);
        return doc.OnSaveDocument(path);
    }();

    EXPECT_FALSE(savedOk);
    EXPECT_EQ(host.Messages(), QStringList{"Failed to save document."});
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.qpi"})
        << "no temporary file is left behind";
}
