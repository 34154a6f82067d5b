#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "document/PictorraDoc.h"
#include "support/TestPictures.h"

namespace {

struct CliRun {
    int status;
    QString out;
    QString err;
};

CliRun Cli(const QStringList& args) {
    QProcess p;
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

}  // namespace

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
