#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "document/PictorraDoc.h"
#include "effects/EffectRegistry.h"
#include "files/RasterFiles.h"
#include "support/FileBytes.h"
#include "support/LimitedChild.h"
#include "support/ReadyPipe.h"
#include "support/TestPictures.h"

namespace {

struct CliRun {
    int status;
    QString out;
    QString err;
};

// addressSpace: a limit on the tool's address space (RLIMIT_AS), or 0 for none.
CliRun Cli(const QStringList& args, int64_t addressSpace = 0) {
    QProcess p;
    if (addressSpace > 0) {
        p.setChildProcessModifier([addressSpace] {
            const rlimit limit{rlim_t(addressSpace), rlim_t(addressSpace)};
            setrlimit(RLIMIT_AS, &limit);
        });
    }
    p.start(QStringLiteral(PICTORRA_CLI), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// A two-layer picture saved as .qpi: a 20 x 10 base and a 5 x 5 layer at (3, 4), 40 %, hidden.
QString MakeLayered(const QTemporaryDir& dir) {
    CPictorraDoc doc;
    EXPECT_TRUE(doc.OnNewDocument(20, 10));
    doc.OnFrameActivated();
    CLayerFrame* top = doc.AddEmptyLayerOfSize(5, 5);
    top->m_nOffsetX = 3;
    top->m_nOffsetY = 4;
    top->m_nOpacity = 40;
    top->m_bVisible = 0;
    const QString path = dir.filePath("layers.qpi");
    EXPECT_TRUE(doc.OnSaveDocument(path));
    return path;
}

// A PNG holding picture, one layer.
QString MakePng(const QTemporaryDir& dir, const char* name, const Bitmap& picture) {
    CPictorraDoc doc;
    EXPECT_TRUE(doc.OnNewDocument(picture.Width(), picture.Height()));
    doc.OnFrameActivated();
    doc.SetLayerBitmap(doc.Layer(1), picture.Clone());
    const QString path = dir.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(doc.OnSaveDocument(path));
    return path;
}

std::unique_ptr<Bitmap> OpenPicture(const QString& path) {
    CPictorraDoc doc;
    EXPECT_TRUE(doc.OnOpenDocument(path));
    doc.OnFrameActivated();
    return doc.m_pActiveBitmap ? doc.m_pActiveBitmap->Clone() : Bitmap::Create(1, 1);
}

}  // namespace

TEST(Cli, ApplyRunsEffectsInOrderWithTheColours) {
    QTemporaryDir dir;
    const auto picture = MakeBitmap(3, 2, [](int x, int y) {
        const uint32_t v[] = {0xFF0A141E, 0xFF102030, 0xFFFFFFFF,
                              0xFF000000, 0xFF808080, 0xFF0A141E};
        return v[x + 3 * y];
    });
    const QString input = MakePng(dir, "in.png", *picture);
    struct Case {
        QStringList options;
        std::vector<uint32_t> out;
    };
    const std::vector<Case> cases{
        // Red and blue inverted first (10 -> 245, 30 -> 225), then the mean of the three.
        {{"--apply", "invert:green=0", "--apply", "grayscale"},
         {0xFFA3A3A3, 0xFF9F9F9F, 0xFF555555, 0xFFAAAAAA, 0xFF7F7F7F, 0xFFA3A3A3}},
        // The primary colour's pixels become the secondary colour.
        {{"--primary", "FF0A141E", "--secondary", "FF00FF00", "--apply", "replace-color"},
         {0xFF00FF00, 0xFF102030, 0xFFFFFFFF, 0xFF000000, 0xFF808080, 0xFF00FF00}},
        {{"--apply", "brightness:red=100,green=100,blue=100", "--apply", "swap-red-blue"},
         {0xFFB4AAA0, 0xFFC6B6A6, 0xFFFFFFFF, 0xFF969696, 0xFFFFFFFF, 0xFFB4AAA0}},
    };
    for (const Case& c : cases) {
        const QString output = dir.filePath("out.png");
        const CliRun r = Cli(QStringList{"convert", input, output} + c.options);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const auto out = OpenPicture(output);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(Hex(out->GetPixel(i % 3, i / 3)).toStdString(),
                      Hex(c.out[size_t(i)]).toStdString())
                << c.options.join(' ').toStdString() << " pixel " << i;
        }
    }
}

TEST(Cli, SelectKeepsTheEffectsInsideTheRectangle) {
    QTemporaryDir dir;
    const auto picture = MakePhotoLike(12, 8, 5);
    const QString input = MakePng(dir, "in.png", *picture);
    struct Case {
        QStringList options;
        QRect inverted;  // the pixels that must come out inverted; the rest unchanged
    };
    const std::vector<Case> cases{
        {{"--select", "2,1,7,5", "--apply", "invert"}, QRect(2, 1, 5, 4)},
        {{"--select", "9,6,40,30", "--apply", "invert"}, QRect(9, 6, 3, 2)},
        {{"--select", "2,1,7,5"}, QRect()},
    };
    for (const Case& c : cases) {
        const QString output = dir.filePath("out.png");
        const CliRun r = Cli(QStringList{"convert", input, output} + c.options);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const auto out = OpenPicture(output);
        ASSERT_EQ(out->Size(), picture->Size());
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 12; ++x) {
                const uint32_t p = picture->GetPixel(x, y);
                const uint32_t expected =
                    c.inverted.contains(x, y) ? (p & 0xFF000000) | (~p & 0x00FFFFFF) : p;
                ASSERT_EQ(Hex(out->GetPixel(x, y)).toStdString(), Hex(expected).toStdString())
                    << c.options.join(' ').toStdString() << " at " << x << "," << y;
            }
        }
    }
    const CliRun outside = Cli(
        {"convert", input, dir.filePath("o.png"), "--select", "20,0,30,5", "--apply", "invert"});
    EXPECT_EQ(outside.status, 1);
    EXPECT_TRUE(outside.err.contains("The selection lies outside the picture."))
        << outside.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("o.png")));
}

TEST(Cli, NoiseRepeatsFromRunToRun) {
    QTemporaryDir dir;
    const QString input = MakePng(dir, "in.png", *MakePhotoLike(40, 30, 4, false));
    const QStringList apply{"--apply", "set-noise:strength=40", "--apply", "rgb-noise"};
    ASSERT_EQ(Cli(QStringList{"convert", input, dir.filePath("a.png")} + apply).status, 0);
    ASSERT_EQ(Cli(QStringList{"convert", input, dir.filePath("b.png")} + apply).status, 0);
    const auto a = OpenPicture(dir.filePath("a.png"));
    EXPECT_TRUE(SamePixels(*a, *OpenPicture(dir.filePath("b.png"))));
    EXPECT_FALSE(SamePixels(*a, *OpenPicture(input)));
}

TEST(Cli, EffectsListsTheRegistry) {
    const CliRun r = Cli({"effects"});
    ASSERT_EQ(r.status, 0);
    const QJsonArray list = QJsonDocument::fromJson(r.out.toUtf8()).array();
    ASSERT_EQ(size_t(list.size()), Effects().size());
    for (const QJsonValue& v : list) {
        const QJsonObject e = v.toObject();
        if (e["name"].toString() == "blur") {
            EXPECT_EQ(e["command"].toInt(), 32810);
            EXPECT_EQ(e["flow"].toString(), "setting-dialog");
            const QJsonObject size = e["parameters"].toArray()[0].toObject();
            EXPECT_EQ(size["step"].toInt(), 2);
            EXPECT_EQ(size["max"].toInt(), 9);
        }
        if (e["name"].toString() == "color-filter") {
            EXPECT_EQ(e["parameters"].toArray()[0].toObject()["defaultFrom"].toString(),
                      "primary red");
        }
    }
}

TEST(Cli, InfoListsTheLayersAsJson) {
    QTemporaryDir dir;
    const CliRun r = Cli({"info", MakeLayered(dir)});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject info = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(info["width"].toInt(), 20);
    EXPECT_EQ(info["height"].toInt(), 10);
    const QJsonArray layers = info["layers"].toArray();
    ASSERT_EQ(layers.size(), 2);
    const QJsonObject top = layers[1].toObject();
    EXPECT_EQ(top["number"].toInt(), 2);
    EXPECT_EQ(top["width"].toInt(), 5);
    EXPECT_EQ(top["offsetX"].toInt(), 3);
    EXPECT_EQ(top["offsetY"].toInt(), 4);
    EXPECT_EQ(top["opacity"].toInt(), 40);
    EXPECT_FALSE(top["visible"].toBool());
    EXPECT_TRUE(layers[0].toObject()["visible"].toBool());
}

TEST(Cli, ConvertWritesTheOutputFormat) {
    QTemporaryDir dir;
    const CliRun r = Cli({"convert", MakeLayered(dir), dir.filePath("flat.jpg")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    CPictorraDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("flat.jpg")));
    EXPECT_EQ(doc.m_pActiveBitmap->Size(), QSize(20, 10));
    const CliRun back = Cli({"convert", dir.filePath("flat.jpg"), dir.filePath("again.qpi")});
    EXPECT_EQ(back.status, 0) << back.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(Cli({"info", dir.filePath("again.qpi")}).out.toUtf8())
                  .object()["layers"]
                  .toArray()
                  .size(),
              1);
}

TEST(Cli, ExitStatusTellsMessagesFromUsageErrors) {
    QTemporaryDir dir;
    const QString input = MakeLayered(dir);
    QFile::copy(input, dir.filePath("layers.webp"));
    struct Case {
        QStringList args;
        int status;
        const char* stderrHas;
    };
    const std::vector<Case> cases{
        {{"convert", dir.filePath("none.png"), dir.filePath("o.png")},
         1,
         "Failed to open document."},
        {{"convert", input, dir.filePath("o.psd")}, 1, "Error!"},
        {{"convert", input, dir.filePath("o.xyz")}, 1, "Error!"},
        {{"info", dir.filePath("layers.webp")}, 1, "Unsupported file format"},
        {{"convert", input}, 2, "usage"},
        {{"convert", input, dir.filePath("o.png"), "--apply", "no-such-effect"},
         2,
         "unknown effect"},
        {{"convert", input, dir.filePath("o.png"), "--primary", "red"}, 2, "AARRGGBB"},
        {{"convert", input, dir.filePath("o.png"), "--apply", "brightness:red=101"}, 2, "0..100"},
        {{"convert", input, dir.filePath("o.png"), "--apply", "blur:size=4"}, 2, "3, 5, 7, 9"},
        {{"convert", input, dir.filePath("o.png"), "--apply", "sharpen:amount=2"},
         2,
         "takes no parameters"},
        {{"convert", input, dir.filePath("o.png"), "--apply", "mosaic:width=3"},
         2,
         "no parameter 'width'"},
        {{"convert", input, dir.filePath("o.png"), "--apply", "blur:size"}, 2, "key=value"},
        {{"convert", input, dir.filePath("o.png"), "--frobnicate", "1"}, 2, "unknown option"},
        {{"launch"}, 2, "unknown command"},
        {{}, 2, "usage"},
    };
    for (const Case& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(c.stderrHas)))
            << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
    }
    EXPECT_EQ(Cli({"effects"}).status, 0);
}

TEST(Cli, PathsThatAreNoFilesAreRefusedUnread) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    const QString fifo = dir.filePath("pipe.png");
    const ReadyPipe pipe(fifo);
    ASSERT_TRUE(pipe.IsMade());
    for (const QString& path : {dir.filePath("folder.png"), fifo}) {
        const CliRun r = Cli({"convert", path, dir.filePath("out.png")});
        EXPECT_EQ(r.status, 1) << path.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(kMsgNotAFile)))
            << path.toStdString() << ": " << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("out.png")));
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define PICTORRA_SANITIZED 1
#endif

TEST(Cli, AFileTooLargeForTheMemoryIsRefusedBeforeItsCachesAreMade) {
#ifdef PICTORRA_SANITIZED
    GTEST_SKIP() << "a sanitised program maps terabytes of shadow memory at its start";
#endif
    QTemporaryDir dir;
    // The caches of a 16384 x 1 and a 1 x 16384 layer would fit a limit of 3 GB of address
    // space (they are 1 GB each), the composed picture of the save and the undo copy not.
    for (const int side : {32768, 16384}) {
        const QString input = dir.filePath(QStringLiteral("thin-%1.qpi").arg(side));
        QFile f(input);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QpiRowAndColumn(side));
        f.close();
        const CliRun r = Cli({"convert", input, dir.filePath("out.png")}, 3 * kGiB);
        EXPECT_EQ(r.status, 1) << side;
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(kMsgTooLarge) + "\nIt needs about "))
            << side << ": " << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("out.png")));
    }
}
