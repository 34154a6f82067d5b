#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "files/FileFormats.h"
#include "platform/Bitmap.h"

// Raster files in and out of one 32-bit straight-alpha bitmap, through FreeImage. Whatever the
// file holds (palette, 1 to 64 bits per pixel) arrives as 32-bit ARGB.

// The messages the program shows for files.
inline constexpr char kMsgBadFormat[] = "Unable load file (bad format)";
inline constexpr char kMsgUnsupported[] = "Unsupported file format";
inline constexpr char kMsgCannotSave[] = "Error!";
inline constexpr char kMsgOpenFailed[] = "Failed to open document.";
inline constexpr char kMsgSaveFailed[] = "Failed to save document.";
inline constexpr char kMsgTooLarge[] = "The picture is too large to be opened.";
inline constexpr char kMsgNoMemoryToSave[] =
    "There is not enough memory to save the picture in this format; it can still be saved as a "
    "Pictorra file (.qpi).";
inline constexpr char kMsgNotAFile[] =
    "Only files can be opened as pictures, not devices, pipes or folders.";

// Decodes a raster file's bytes. The format is detected from the contents; the size in the
// header is checked before the pixels are decoded, against the sides a bitmap may have and
// against the memory the picture would need (CheckPictureMemory). A file whose size cannot be
// read before decoding is not decoded. On failure null, and *error the message.
std::unique_ptr<Bitmap> DecodeRaster(const QByteArray& bytes, FileFormat expected, QString* error);

// Encodes a composed picture in format (not Qpi). JPEG is written at 24 bits, GIF quantised to
// 8 bits, BMP, PNG, TIFF and TARGA at 32 bits with alpha, icons by EncodeIcon.
bool EncodeRaster(const Bitmap& picture, FileFormat format, QByteArray* out);

// The program's own icon file: one 32-bit image of the picture's size.
QByteArray EncodeIcon(const Bitmap& picture);

// Writes bytes to a temporary file beside path and renames it over path, so a failure leaves
// any earlier file as it was.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);
