// Files that would take more memory than the machine has, and paths that are no files: each is
// refused with a message before anything large is allocated or anything is read without end.
// The pictures too large run in a child whose address space is limited, so that a fault shows
// as a failed child instead of as a machine out of memory.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>

#include "document/PictorraDoc.h"
#include "files/RasterFiles.h"
#include "support/FileBytes.h"
#include "support/LimitedChild.h"
#include "support/ReadyPipe.h"

namespace {

constexpr int64_t kMiB = int64_t(1) << 20;
// What a refused open may reserve at most: the file's bytes and the decoder's header.
constexpr int64_t kSmallReservation = 256 * kMiB;

// A GIF whose screen and one picture are width x height, with two colours and no pixel data to
// speak of.
QByteArray HugeGif(int width, int height) {
    QByteArray b("GIF89a");
    auto le16 = [&b](int v) {
        b.append(char(v & 0xFF));
        b.append(char((v >> 8) & 0xFF));
    };
    le16(width);
    le16(height);
    b.append("\x80\x00\x00", 3);              // a global table of two colours
    b.append("\x00\x00\x00\xff\xff\xff", 6);  // black, white
    b.append(char(0x2C));                     // the picture: at 0, 0, width x height
    le16(0);
    le16(0);
    le16(width);
    le16(height);
    b.append(char(0));
    b.append("\x02\x01\x2c\x00\x3b", 5);  // LZW: clear, end; the trailer
    return b;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// Opens the file named; the text is "opened" or "refused", a new line and the messages shown.
const ChildScenario kOpen("open", [](const QStringList& args) {
    CDocumentHost host;
    CPictorraDoc doc(&host);
    const bool opened = doc.OnOpenDocument(args.value(0));
    return std::string(opened ? "opened\n" : "refused\n") + host.Messages().join('|').toStdString();
});

ChildResult OpenLimited(const QString& path, int64_t headroom) {
    return RunInLimitedChild(headroom, "open", {path});
}

// New of 20000 x 20000: "made" or "refused", and the messages.
const ChildScenario kNew("new", [](const QStringList&) {
    CDocumentHost host;
    CPictorraDoc doc(&host);
    const bool ok = doc.OnNewDocument(20000, 20000);
    return std::string(ok ? "made\n" : "refused\n") + host.Messages().join('|').toStdString();
});

// A 1 x 16384 column pasted on a 16384 x 1 row: the layer count after, and the messages.
const ChildScenario kPaste("paste", [](const QStringList&) {
    CDocumentHost host;
    CPictorraDoc doc(&host);
    if (!doc.OnNewDocument(16384, 1)) {
        return std::string("no document");
    }
    doc.OnFrameActivated();
    QByteArray block(16384 * 4, '\x7f');
    block += QByteArray("\x01\0\0\0\0\x40\0\0", 8);  // width 1, height 16384
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("application/x-brennic-image"), block);
    QGuiApplication::clipboard()->setMimeData(mime);
    doc.Paste();
    const int layers = doc.LayerCount();
    return std::to_string(layers) + "\n" + host.Messages().join('|').toStdString();
});

// An 8192 x 1 and a 1 x 8192 layer saved as the PNG and then the .qpi file named: whether each
// was saved and whether the picture stayed modified after the first, and the messages.
const ChildScenario kSave("save", [](const QStringList& args) {
    CDocumentHost host;
    CPictorraDoc doc(&host);
    if (!doc.OnNewDocument(8192, 1)) {
        return std::string("no document");
    }
    doc.OnFrameActivated();
    doc.AddEmptyLayerOfSize(1, 8192);
    doc.SetModifiedFlag(true);
    const bool savedPng = doc.OnSaveDocument(args.value(0));
    const bool modified = doc.IsModified();
    const bool savedQpi = doc.OnSaveDocument(args.value(1));
    return std::to_string(savedPng) + std::to_string(modified) + std::to_string(savedQpi) + "\n" +
           host.Messages().join('|').toStdString();
});

std::string TooLarge() {
    return std::string("refused\n") + kMsgTooLarge + "\nIt needs about ";
}

}  // namespace

TEST(LargePictures, PicturesTooLargeForTheMemoryAreRefusedFromTheirHeaders) {
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QByteArray bytes;
        int64_t headroom;
        const char* refusal;  // the start of the messages after "refused"
    };
    // Each would fit the address space given if only its own bitmaps were made (the caches
    // are only reserved while nothing is drawn), but not with the caches composed, a save and
    // an undo copy; the row and column of 32768 is the file of the report.
    const std::vector<Case> cases{
        {"row-and-column-32768.qpi", QpiRowAndColumn(32768), 2 * kGiB, nullptr},
        {"row-and-column-16384.qpi", QpiRowAndColumn(16384), 3 * kGiB, nullptr},
        {"blank-32768.png", MakeBlankPng(32768, 32768), 2 * kGiB, nullptr},
        {"blank-16384.png", MakeBlankPng(16384, 16384), 3 * kGiB, nullptr},
        {"screen-30000.gif", HugeGif(30000, 30000), 2 * kGiB, nullptr},
        // More pixels than any bitmap may have: refused without figures.
        {"screen-60000.gif", HugeGif(60000, 60000), 2 * kGiB, kMsgTooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        WriteFile(path, c.bytes);
        const ChildResult r = OpenLimited(path, c.headroom);
        ASSERT_TRUE(r.ended) << "the child failed: something large was allocated";
        if (c.refusal) {
            EXPECT_EQ(r.text, std::string("refused\n") + c.refusal);
        } else {
            EXPECT_EQ(r.text.substr(0, TooLarge().size()), TooLarge()) << r.text;
        }
        EXPECT_LT(r.grownBytes, kSmallReservation) << "nothing large is even reserved";
    }
    // Within the memory the same kinds of file open.
    const QString fits = dir.filePath("row-and-column-256.qpi");
    WriteFile(fits, QpiRowAndColumn(256));
    EXPECT_EQ(OpenLimited(fits, 2 * kGiB).text, "opened\n");
}

TEST(LargePictures, NewAndPasteAskForThePictureAfterwards) {
    // New: a 20000 x 20000 picture needs 9 GB.
    const ChildResult made = RunInLimitedChild(kGiB, "new");
    ASSERT_TRUE(made.ended);
    EXPECT_EQ(made.text,
              "refused\nThere is not enough memory for a picture of 20000 x 20000 pixels.\n"
              "It needs about 8.9 GB of memory; 1.0 GB are available.");
    EXPECT_LT(made.grownBytes, kSmallReservation);

    // Paste: a 1 x 16384 column pasted on a 16384 x 1 row makes caches of 16384 x 16384.
    const ChildResult pasted = RunInLimitedChild(3 * kGiB / 2, "paste");
    ASSERT_TRUE(pasted.ended);
    const std::string refusal = "1\nThere is not enough memory to paste the picture.\nIt needs";
    EXPECT_EQ(pasted.text.substr(0, refusal.size()), refusal) << pasted.text;
    EXPECT_LT(pasted.grownBytes, kSmallReservation);
}

TEST(LargePictures, ASaveThatWouldNotFitIsRefusedAndALayeredFileStillSaves) {
    QTemporaryDir dir;
    const QString png = dir.filePath("thin.png"), qpi = dir.filePath("thin.qpi");
    // An 8192 x 1 and a 1 x 8192 layer: the caches take 512 MB; composing for a PNG file would
    // take another 512 MB, more than the limit leaves.
    const ChildResult r = RunInLimitedChild(768 * kMiB, "save", {png, qpi});
    ASSERT_TRUE(r.ended);
    const std::string expected = std::string("011\n") + kMsgNoMemoryToSave + "\nIt needs about ";
    EXPECT_EQ(r.text.substr(0, expected.size()), expected) << r.text;
    EXPECT_FALSE(QFile::exists(png));
    EXPECT_TRUE(QFile::exists(qpi));
}

TEST(NotAFile, PipesDevicesAndFoldersAreRefusedUnread) {
    QTemporaryDir dir;
    const std::string notAFile = std::string("refused\n") + kMsgNotAFile;
    // A device and a folder named as pictures: /dev/zero would be read without end.
    ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("zero.png")));
    ASSERT_TRUE(QFile::link("/dev/null", dir.filePath("null.qpi")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    for (const char* name : {"zero.png", "null.qpi", "folder.png"}) {
        const ChildResult r = OpenLimited(dir.filePath(QString::fromLatin1(name)), kGiB);
        ASSERT_TRUE(r.ended) << name;
        EXPECT_EQ(r.text, notAFile) << name;
    }

    // A pipe: if the open read it, it would get bytes and an end instead of waiting for ever.
    const QString fifo = dir.filePath("pipe.png");
    const ReadyPipe pipe(fifo);
    ASSERT_TRUE(pipe.IsMade());
    CDocumentHost host;
    CPictorraDoc doc(&host);
    EXPECT_FALSE(doc.OnOpenDocument(fifo));
    EXPECT_EQ(host.Messages(), QStringList{QString::fromLatin1(kMsgNotAFile)});
}
