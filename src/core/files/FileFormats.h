#pragma once

#include <QString>
#include <QStringList>

// The file kinds the program reads and writes, told apart only by the lower-cased extension
// of the file name.
enum class FileFormat { Qpi, Bmp, Jpeg, Gif, Png, Tiff, Targa, Icon, Photoshop, PhotoCD };

struct FileFormatInfo {
    const char* extension;  // lower case, with the dot
    FileFormat format;
    bool canOpen;
    bool canSave;
    bool whiteBackground;  // saved pictures are composed on opaque white (no alpha in the file)
};

// The row of the extension table for path's extension, or null when it is not listed.
const FileFormatInfo* FindFileFormat(const QString& path);
// ".png" for "/a/Picture.PNG"; empty when the file name has no dot.
QString LowerExtension(const QString& path);

// The filter texts of the Open and Save As dialogs, in the "name|patterns|...||" form.
extern const char kOpenFilter[];
extern const char kSaveAsFilter[];
// The same filters as Qt file dialogs take them: "PNG Files(*.png) (*.png)", one per entry.
QStringList QtFilters(const char* filter);

// The path Save As writes: when the typed file name has no extension, the one of the chosen
// Save As filter (1-based: 1 ".qpi", 2 ".png", 3 ".jpg", 4 ".gif", 5 ".bmp", 6 ".tga",
// 7 ".tif", 8 ".ico") is appended; otherwise the path stays as typed.
QString AppendSaveExtension(const QString& path, int filterIndex);
