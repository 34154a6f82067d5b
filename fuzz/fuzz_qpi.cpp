// The layered-file reader on any bytes: they are refused with a message, or they give layers
// whose pixels the input really held, which then open, show and compose as a document does.
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <cstdlib>

#include "document/PictorraDoc.h"
#include "files/QpiFile.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

const QString& ScratchPath() {
    static const QString path =
        QDir::temp().filePath(QStringLiteral("fuzz_qpi_%1.qpi").arg(getpid()));
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QpiPicture picture;
    QString error;
    const bool ok = ReadQpi(buffer, &picture, &error);
    Check(ok == error.isEmpty());
    if (!ok) {
        return 0;
    }
    int64_t pixelBytes = 0;
    Check(!picture.layers.empty());
    for (const QpiLayer& layer : picture.layers) {
        Check(layer.bitmap != nullptr);
        Check(layer.opacity >= 0 && layer.opacity <= 100);
        pixelBytes += layer.bitmap->ByteCount();
    }
    Check(pixelBytes + 12 + 28 * int64_t(picture.layers.size()) <= int64_t(size));

    // The whole road of a file the reader accepts: open, show, compose.
    QFile file(ScratchPath());
    Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    Check(file.write(bytes) == bytes.size());
    file.close();
    CDocumentHost host;
    CPictorraDoc doc(&host);
    Check(doc.OnOpenDocument(ScratchPath()));
    QFile::remove(ScratchPath());
    doc.OnFrameActivated();
    Check(doc.LayerCount() == int(picture.layers.size()));
    Check(doc.ActiveLayerNumber() == 1);
    Check(doc.ComposeImage(true) != nullptr);
    return 0;
}
