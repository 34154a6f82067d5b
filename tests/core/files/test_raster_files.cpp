#include <gtest/gtest.h>

#include <FreeImage.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "document/PictorraDoc.h"
#include "files/FileFormats.h"
#include "files/RasterFiles.h"
#include "support/FileSizeLimit.h"
#include "support/TestPictures.h"

namespace {

constexpr uint32_t kClear = 0x00000000;   // the left third
constexpr uint32_t kHalf = 0x80FF0000;    // the middle third
constexpr uint32_t kOpaque = 0xFF2060A0;  // the right third
// Regions as wide as two JPEG blocks, so that lossy encoders keep each one's colour.
constexpr int kW = 48, kH = 32;

// A shown document holding a transparent, a half-transparent and an opaque area.
std::unique_ptr<CPictorraDoc> MakeTestDoc(CDocumentHost* host) {
    auto doc = std::make_unique<CPictorraDoc>(host);
    EXPECT_TRUE(doc->OnNewDocument(kW, kH));
    doc->OnFrameActivated();
    doc->SetLayerBitmap(doc->Layer(1), MakeBitmap(kW, kH, [](int x, int) {
                            return x < 16 ? kClear : x < 32 ? kHalf : kOpaque;
                        }));
    doc->SetModifiedFlag(true);
    return doc;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Saves a FreeImage picture made by the test in format fif.
void SaveDib(FIBITMAP* dib, FREE_IMAGE_FORMAT fif, const QString& path) {
    ASSERT_TRUE(FreeImage_Save(fif, dib, path.toUtf8().constData(), 0));
    FreeImage_Unload(dib);
}

}  // namespace

TEST(RasterFiles, EveryExtensionOpensAndSavesAsTheTableSays) {
    enum class Back { Alpha, White, None };
    struct Case {
        const char* name;
        bool saves;
        bool opens;
        Back back;
        int tolerance;  // lossy encoders
        const char* message;
    };
    const Case cases[] = {
        {"a.qpi", true, true, Back::Alpha, 0, nullptr},
        {"a.bmp", true, true, Back::Alpha, 0, nullptr},
        {"a.jpg", true, true, Back::White, 40, nullptr},
        {"a.jpeg", true, false, Back::White, 40, "Unsupported file format"},
        {"a.gif", true, true, Back::White, 12, nullptr},
        {"a.png", true, true, Back::Alpha, 0, nullptr},
        {"Picture.PNG", true, true, Back::Alpha, 0, nullptr},
        {"a.tif", true, true, Back::Alpha, 0, nullptr},
        {"a.tiff", true, true, Back::Alpha, 0, nullptr},
        {"a.tga", true, true, Back::Alpha, 0, nullptr},
        {"a.targa", true, true, Back::Alpha, 0, nullptr},
        {"a.ico", true, true, Back::Alpha, 0, nullptr},
        {"a.psd", false, true, Back::None, 0, "Error!"},
        {"a.pcd", false, true, Back::None, 0, "Error!"},
        {"a.webp", false, false, Back::None, 0, "Error!"},
        {"noextension", false, false, Back::None, 0, "Error!"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        CDocumentHost host;
        auto doc = MakeTestDoc(&host);
        EXPECT_EQ(doc->OnSaveDocument(path), c.saves);
        if (!c.saves) {
            EXPECT_EQ(host.Messages(), QStringList{c.message});
            EXPECT_FALSE(QFile::exists(path)) << "nothing is written";
            EXPECT_TRUE(doc->IsModified());
            continue;
        }
        EXPECT_TRUE(host.Messages().isEmpty()) << host.Messages().join("; ").toStdString();
        EXPECT_FALSE(doc->IsModified());
        EXPECT_EQ(doc->GetTitle(), QString::fromLatin1(c.name));

        CDocumentHost openHost;
        CPictorraDoc reopened(&openHost);
        if (!c.opens) {
            EXPECT_FALSE(reopened.OnOpenDocument(path));
            EXPECT_EQ(openHost.Messages(), QStringList{c.message});
            continue;
        }
        ASSERT_TRUE(reopened.OnOpenDocument(path)) << openHost.Messages().join("; ").toStdString();
        reopened.OnFrameActivated();
        const auto picture = reopened.ComposeImage(true);
        ASSERT_EQ(picture->Size(), QSize(kW, kH));
        const uint32_t clear = picture->GetPixel(8, 16), half = picture->GetPixel(24, 16);
        if (c.back == Back::White) {
            EXPECT_TRUE(SamePixels(*Bitmap::Create(1, 1, clear), *Bitmap::Create(1, 1, 0xFFFFFFFF),
                                   c.tolerance))
                << Hex(clear).toStdString();
            EXPECT_TRUE(SamePixels(*Bitmap::Create(1, 1, half), *Bitmap::Create(1, 1, 0xFFFF7F7F),
                                   c.tolerance))
                << Hex(half).toStdString();
        } else {
            EXPECT_EQ(ArgbAlpha(clear), 0u);
            EXPECT_EQ(Hex(half), Hex(kHalf)) << "alpha goes into the file unchanged";
        }
        EXPECT_TRUE(SamePixels(*Bitmap::Create(1, 1, picture->GetPixel(40, 16)),
                               *Bitmap::Create(1, 1, kOpaque), c.tolerance));
    }
}

TEST(RasterFiles, PalettedGifGreyPngAndOneBitTiffOpenAs32BitPictures) {
    QTemporaryDir dir;
    {
        FIBITMAP* gif = FreeImage_Allocate(7, 5, 8);
        RGBQUAD* pal = FreeImage_GetPalette(gif);
        for (int i = 0; i < 256; ++i) {
            pal[i] = RGBQUAD{BYTE(i), 0, BYTE(255 - i), 0};
        }
        for (unsigned y = 0; y < 5; ++y) {
            std::memset(FreeImage_GetScanLine(gif, y), int(y * 40), 7);
        }
        SaveDib(gif, FIF_GIF, dir.filePath("p.gif"));
        FIBITMAP* png = FreeImage_Allocate(9, 4, 24);
        SaveDib(png, FIF_PNG, dir.filePath("p.png"));
        FIBITMAP* tif = FreeImage_Allocate(33, 3, 1);
        FreeImage_GetPalette(tif)[1] = RGBQUAD{255, 255, 255, 0};
        std::memset(FreeImage_GetScanLine(tif, 0), 0xFF, 4);
        SaveDib(tif, FIF_TIFF, dir.filePath("p.tif"));
    }
    struct Case {
        const char* name;
        QSize size;
        uint32_t topLeft;
    };
    for (const Case c :
         {Case{"p.gif", QSize(7, 5), 0xFF5F00A0}, Case{"p.png", QSize(9, 4), 0xFF000000},
          Case{"p.tif", QSize(33, 3), 0xFF000000}}) {
        CPictorraDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(dir.filePath(c.name))) << c.name;
        EXPECT_EQ(doc.m_pActiveBitmap->Size(), c.size) << c.name;
        EXPECT_EQ(doc.m_FileInfo.nBitsPerPixel, 32);
        EXPECT_EQ(Hex(doc.m_pActiveBitmap->GetPixel(0, 0)), Hex(c.topLeft)) << c.name;
    }
    CPictorraDoc tif;
    ASSERT_TRUE(tif.OnOpenDocument(dir.filePath("p.tif")));
    EXPECT_EQ(tif.m_pActiveBitmap->GetPixel(0, 2), 0xFFFFFFFFu) << "the bottom row was set";
}

TEST(RasterFiles, UndecodableFilesAreReportedAsBadFormat) {
    QTemporaryDir dir;
    for (const char* name : {"broken.png", "broken.bmp", "broken.jpg", "broken.gif"}) {
        WriteAll(dir.filePath(name), QByteArray("this is not a picture at all", 28));
        CDocumentHost host;
        CPictorraDoc doc(&host);
        EXPECT_FALSE(doc.OnOpenDocument(dir.filePath(name)));
        EXPECT_EQ(host.Messages(), QStringList{"Unable load file (bad format)"}) << name;
    }
    CDocumentHost host;
    CPictorraDoc doc(&host);
    EXPECT_FALSE(doc.OnOpenDocument(dir.filePath("missing.png")));
    EXPECT_EQ(host.Messages(), QStringList{"Failed to open document."});
}

TEST(RasterFiles, ABmpWhoseAlphaIsUnusedOpensOpaque) {
    QTemporaryDir dir;
    auto rgb = MakeBitmap(3, 2, [](int x, int) { return 0x00102030u + uint32_t(x); });
    QByteArray bytes;
    ASSERT_TRUE(EncodeRaster(*rgb, FileFormat::Bmp, &bytes));
    WriteAll(dir.filePath("old.bmp"), bytes);
    CPictorraDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("old.bmp")));
    EXPECT_EQ(doc.m_pActiveBitmap->GetPixel(2, 1), 0xFF102032u);
}

TEST(RasterFiles, IconHeaderFollowsTheIconLayout) {
    auto picture = Bitmap::Create(300, 300, 0xFF112233);
    picture->SetPixel(0, 299, 0x80445566);  // bottom-left: the first pixel in the file
    const QByteArray ico = EncodeIcon(*picture);
    auto u8 = [&](int i) { return uint8_t(ico[i]); };
    auto u16 = [&](int i) { return u8(i) | (u8(i + 1) << 8); };
    auto u32 = [&](int i) { return uint32_t(u16(i)) | (uint32_t(u16(i + 2)) << 16); };
    const uint32_t pixels = 300 * 4 * 300, mask = ((300 + 31) / 32) * 4 * 300;
    EXPECT_EQ(ico.size(), qsizetype(62 + pixels + mask));
    EXPECT_EQ(u16(0), 0);
    EXPECT_EQ(u16(2), 1);
    EXPECT_EQ(u16(4), 1);
    EXPECT_EQ(u8(6), 44) << "300 mod 256";
    EXPECT_EQ(u8(7), 44);
    EXPECT_EQ(u16(10), 0) << "planes";
    EXPECT_EQ(u16(12), 32);
    EXPECT_EQ(u32(14), 40 + pixels + mask);
    EXPECT_EQ(u32(18), 22u);
    EXPECT_EQ(u32(22), 40u);
    EXPECT_EQ(u32(26), 300u);
    EXPECT_EQ(u32(30), 600u) << "twice the height";
    EXPECT_EQ(u16(34), 1);
    EXPECT_EQ(u16(36), 32);
    EXPECT_EQ(u32(62), 0x80445566u) << "rows bottom-up";
    EXPECT_EQ(u8(62 + pixels), 0xFF) << "AND mask";
    EXPECT_EQ(u8(ico.size() - 1), 0xFF);
}

TEST(RasterFiles, AFailedSaveLeavesTheEarlierFileAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.png");
    CDocumentHost host;
    CPictorraDoc doc(&host);
    ASSERT_TRUE(doc.OnNewDocument(300, 300));
    doc.OnFrameActivated();
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const QByteArray before = ReadAll(path);
    // A noisy picture needs far more bytes than the file-size limit set below allows.
    doc.SetLayerBitmap(doc.Layer(1), MakePhotoLike(300, 300));
    doc.SetModifiedFlag(true);

    const bool saved_ok = [&] {
        FileSizeLimit limit(before.size() + 1000);
        return doc.OnSaveDocument(path);
    }();

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(host.Messages(), QStringList{"Failed to save document."});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.png"})
        << "no temporary file is left behind";
}

TEST(RasterFiles, FileInformationIsFilledWhenOpening) {
    QTemporaryDir dir;
    auto picture = Bitmap::Create(64, 32, 0xFF808080);
    QByteArray bytes;
    ASSERT_TRUE(EncodeRaster(*picture, FileFormat::Png, &bytes));
    WriteAll(dir.filePath("info.png"), bytes);
    CPictorraDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("info.png")));
    EXPECT_EQ(doc.m_FileInfo.strName, "info.png");
    EXPECT_EQ(doc.m_FileInfo.nWidth, 64);
    EXPECT_EQ(doc.m_FileInfo.nHeight, 32);
    EXPECT_FLOAT_EQ(doc.m_FileInfo.fSizeMB, float(bytes.size() / 1048576.0));
    const QRegularExpression time(
        R"(^(\d{1,2}\.\d{1,2}\.\d{4}//\d{1,2}:\d{1,2}:\d{1,2}|0\.0\.0//-1:-1:-1)$)");
    EXPECT_TRUE(time.match(doc.m_FileInfo.strModified).hasMatch())
        << doc.m_FileInfo.strModified.toStdString();
    EXPECT_TRUE(time.match(doc.m_FileInfo.strCreated).hasMatch())
        << doc.m_FileInfo.strCreated.toStdString();
    EXPECT_FALSE(doc.m_FileInfo.strModified.contains("//0")) << "no leading zeros";
}

TEST(FileFormats, SaveAsAppendsTheFilterExtensionOnlyToANameWithout) {
    struct Case {
        const char* typed;
        int filter;
        const char* path;
    };
    for (const Case c :
         {Case{"shot", 2, "shot.png"}, Case{"shot", 1, "shot.qpi"}, Case{"shot", 8, "shot.ico"},
          Case{"shot.jpg", 2, "shot.jpg"}, Case{"/tmp/my.dir/name", 3, "/tmp/my.dir/name.jpg"},
          Case{"x.", 2, "x."}}) {
        EXPECT_EQ(AppendSaveExtension(c.typed, c.filter), QString::fromLatin1(c.path)) << c.typed;
    }
    EXPECT_EQ(QtFilters(kSaveAsFilter).size(), 8);
    EXPECT_EQ(QtFilters(kOpenFilter).value(9), "TIFF Files (*.tif, *.tiff) (*.tif *.tiff)");
}
