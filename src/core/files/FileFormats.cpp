#include "files/FileFormats.h"

#include <QFileInfo>
#include <array>

namespace {
constexpr std::array<FileFormatInfo, 14> kFormats{{
    {".qpi", FileFormat::Qpi, true, true, false},
    {".bmp", FileFormat::Bmp, true, true, false},
    {".jpg", FileFormat::Jpeg, true, true, true},
    {".jpeg", FileFormat::Jpeg, false, true, true},
    {".gif", FileFormat::Gif, true, true, true},
    {".png", FileFormat::Png, true, true, false},
    {".tif", FileFormat::Tiff, true, true, false},
    {".tiff", FileFormat::Tiff, true, true, false},
    {".tga", FileFormat::Targa, true, true, false},
    {".targa", FileFormat::Targa, true, true, false},
    {".ico", FileFormat::Icon, true, true, false},
    {".psd", FileFormat::Photoshop, true, false, false},
    {".pdd", FileFormat::Photoshop, true, false, false},
    {".pcd", FileFormat::PhotoCD, true, false, false},
}};

constexpr std::array<const char*, 8> kSaveExtensions{".qpi", ".png", ".jpg", ".gif",
                                                     ".bmp", ".tga", ".tif", ".ico"};
}  // namespace

const char kOpenFilter[] =
    "All Files(*.*)|*.*|Pictorra files(*.qpi)|*.qpi|PNG Files(*.png)|*.png|JPG "
    "Files(*.jpg)|*.jpg|GIF Files(*.gif)|*.gif|BMP Files(*.bmp)|*.bmp|Icon Files(*.ico)|*.ico|"
    "Kodak Files(*.pcd)|*.pcd|TARGA Files (*.tga, *.targa)|*.tga;*.targa|TIFF Files (*.tif, "
    "*.tiff)|*.tif;*.tiff|Photoshop files (*.psd, *.pdd)|*.psd;*.pdd||";
const char kSaveAsFilter[] =
    "Pictorra Files(*.qpi)|*.qpi|PNG Files(*.png)|*.png|JPG Files(*.jpg)|*.jpg|GIF "
    "Files(*.gif)|*.gif|BMP Files(*.bmp)|*.bmp|TARGA Files (*.tga, *.targa)|*.tga;*.targa|TIFF "
    "Files (*.tif, *.tiff)|*.tif;*.tiff|ICO Files (*.ico)|*.ico||";

QString LowerExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot).toLower();
}

const FileFormatInfo* FindFileFormat(const QString& path) {
    const QString ext = LowerExtension(path);
    for (const auto& f : kFormats) {
        if (ext == QLatin1String(f.extension)) {
            return &f;
        }
    }
    return nullptr;
}

QStringList QtFilters(const char* filter) {
    const QStringList parts = QString::fromLatin1(filter).split(u'|', Qt::SkipEmptyParts);
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        result << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return result;
}

QString AppendSaveExtension(const QString& path, int filterIndex) {
    // Only the file name counts: a dot in a folder name is no extension.
    if (QFileInfo(path).fileName().contains(u'.')) {
        return path;
    }
    if (filterIndex < 1 || filterIndex > int(kSaveExtensions.size())) {
        return path;
    }
    return path + QLatin1String(kSaveExtensions[size_t(filterIndex - 1)]);
}
