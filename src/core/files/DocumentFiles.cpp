// Opening and saving a document: the extension chooses the reader or writer.
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "document/PictorraDoc.h"
#include "files/FileFormats.h"
#include "files/QpiFile.h"
#include "files/RasterFiles.h"

namespace {

// day.month.year//hour:minute:second without leading zeros; a time that cannot be had gives
// "0.0.0//-1:-1:-1".
QString FormatFileTime(const QDateTime& time) {
    if (!time.isValid()) {
        return QStringLiteral("0.0.0//-1:-1:-1");
    }
    const QDateTime local = time.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    return QStringLiteral("%1.%2.%3//%4:%5:%6")
        .arg(d.day())
        .arg(d.month())
        .arg(d.year())
        .arg(t.hour())
        .arg(t.minute())
        .arg(t.second());
}

}  // namespace

bool CPictorraDoc::OnOpenDocument(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_pHost->ShowMessage(QString::fromLatin1(kMsgOpenFailed), MessageIcon::Warning);
        return false;
    }
    m_pPendingPicture.reset();
    m_pActiveBitmap = nullptr;
    m_strFilePath = path;

    const QFileInfo info(path);
    m_FileInfo.strPath = info.absoluteFilePath();
    m_FileInfo.strName = info.fileName();
    m_FileInfo.strCreated = FormatFileTime(info.birthTime());
    m_FileInfo.strModified = FormatFileTime(info.lastModified());
    m_FileInfo.fSizeMB = float(double(info.size()) * 9.5367431640625e-07);

    const FileFormatInfo* format = FindFileFormat(path);
    if (!format || !format->canOpen) {
        m_pHost->ShowMessage(QString::fromLatin1(kMsgUnsupported), MessageIcon::Warning);
        return false;
    }

    QString error;
    if (format->format == FileFormat::Qpi) {
        QpiPicture picture;
        if (!ReadQpi(file, &picture, &error)) {
            m_pHost->ShowMessage(error, MessageIcon::Warning);
            return false;
        }
        // The caches cover the layers read, whose pixels the file really holds; the picture
        // size at the end of the file is only a number and sizes no memory.
        QSize extent;
        for (const QpiLayer& l : picture.layers) {
            extent = extent.expandedTo(l.bitmap->Size());
        }
        auto below = Bitmap::Create(extent.width(), extent.height());
        auto above = Bitmap::Create(extent.width(), extent.height());
        if (!below || !above) {
            m_pHost->ShowMessage(QString::fromLatin1(kMsgTooLarge), MessageIcon::Warning);
            return false;
        }
        m_arrLayers.clear();
        for (auto& l : picture.layers) {
            auto layer = std::make_unique<CLayerFrame>(LayerCount() + 1, std::move(l.bitmap));
            layer->m_bVisible = l.visible;
            layer->m_nOpacity = l.opacity;
            layer->m_nOffsetX = l.offsetX;
            layer->m_nOffsetY = l.offsetY;
            m_arrLayers.push_back(std::move(layer));
        }
        m_pActiveBitmap = m_arrLayers.front()->m_pBitmap.get();
        m_pBelowCache = std::move(below);
        m_pAboveCache = std::move(above);
        InvalidateLayerCaches();
        m_bFirstLayerPending = 0;
        m_bLayersLoaded = 1;
        m_FileInfo.nWidth = picture.size.width();
        m_FileInfo.nHeight = picture.size.height();
        m_FileInfo.nBitsPerPixel = 32;
    } else {
        const QByteArray bytes = file.readAll();
        auto bitmap = DecodeRaster(bytes, format->format, &error);
        if (!bitmap) {
            m_pHost->ShowMessage(error, MessageIcon::Information);
            return false;
        }
        const int w = bitmap->Width(), h = bitmap->Height();
        auto below = Bitmap::Create(w, h);
        auto above = Bitmap::Create(w, h);
        if (!below || !above) {
            m_pHost->ShowMessage(QString::fromLatin1(kMsgTooLarge), MessageIcon::Warning);
            return false;
        }
        m_pPendingPicture = std::move(bitmap);
        m_pActiveBitmap = m_pPendingPicture.get();
        m_pBelowCache = std::move(below);
        m_pAboveCache = std::move(above);
        m_bFirstLayerPending = 1;
        m_FileInfo.nWidth = w;
        m_FileInfo.nHeight = h;
        m_FileInfo.nBitsPerPixel = 32;
    }
    m_strPathName = path;
    m_strTitle = info.fileName();
    m_bModified = false;
    Notify(kChangeTitle);
    return true;
}

bool CPictorraDoc::SaveImageFile(const QString& path) {
    const FileFormatInfo* format = FindFileFormat(path);
    if (!format || !format->canSave) {
        m_pHost->ShowMessage(QString::fromLatin1(kMsgCannotSave), MessageIcon::Warning);
        return false;
    }
    if (m_arrLayers.empty()) {
        m_pHost->ShowMessage(QString::fromLatin1(kMsgSaveFailed), MessageIcon::Warning);
        return false;
    }

    if (format->format == FileFormat::Qpi) {
        // A lifted selection goes into the file in place on its layer, as the window shows it.
        std::unique_ptr<Bitmap> activeAsShown;
        std::vector<QpiLayerView> layers;
        for (const auto& layer : m_arrLayers) {
            const Bitmap* pixels = LayerPixelsAsShown(*layer, &activeAsShown);
            if (!pixels) {
                m_pHost->ShowMessage(QString::fromLatin1(kMsgSaveFailed), MessageIcon::Warning);
                return false;
            }
            layers.push_back({layer->m_bVisible, layer->m_nOpacity, layer->m_nOffsetX,
                              layer->m_nOffsetY, pixels});
        }
        QSaveFile file(path);
        QString error;
        bool ok = file.open(QIODevice::WriteOnly) && WriteQpi(file, layers, ImageSize(), &error);
        ok = ok && file.commit();
        if (!ok) {
            file.cancelWriting();
            m_pHost->ShowMessage(error.isEmpty() ? QString::fromLatin1(kMsgSaveFailed) : error,
                                 MessageIcon::Warning);
        }
        return ok;
    }

    auto picture = ComposeImage(!format->whiteBackground);
    QByteArray bytes;
    if (!picture || !EncodeRaster(*picture, format->format, &bytes) ||
        !WriteFileAtomically(path, bytes)) {
        m_pHost->ShowMessage(QString::fromLatin1(kMsgSaveFailed), MessageIcon::Warning);
        return false;
    }
    return true;
}

bool CPictorraDoc::OnSaveDocument(const QString& path) {
    if (!SaveImageFile(path)) {
        return false;
    }
    m_bModified = false;
    m_strTitle = QFileInfo(path).fileName();
    m_strFilePath = path;
    // Save writes where the picture was last saved, Save As included.
    m_strPathName = path;
    Notify(kChangeTitle);
    return true;
}
