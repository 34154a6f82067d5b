#pragma once

#include <QIODevice>
#include <QSize>
#include <QString>
#include <memory>
#include <span>
#include <vector>

#include "platform/Bitmap.h"

// The program's own layered file (.qpi): little-endian 32-bit integers and raw pixel rows.
//   layer count N
//   N records, bottom layer first: visible, opacity, offset x, offset y, width w, height h,
//     bits per pixel (32), then w x h x 4 bytes B, G, R, A, rows top to bottom, no padding
//   picture width, picture height (the largest layer's sides when saved)
// There is no signature, version or checksum; a file is 12 + sum(28 + w x h x 4) bytes.

inline constexpr char kMsgQpiBadPixelFormat[] = "Error: bad pixel format";
inline constexpr char kMsgQpiUnknownPixelFormat[] = "Error: unknown PixelFormat";
inline constexpr char kMsgQpiNoLayers[] = "Error: the file holds no layers";
inline constexpr char kMsgQpiDamaged[] = "The file is damaged or is not a Pictorra picture";

struct QpiLayer {
    int visible = 1;
    int opacity = 100;
    int offsetX = 0;
    int offsetY = 0;
    std::unique_ptr<Bitmap> bitmap;
};

struct QpiPicture {
    std::vector<QpiLayer> layers;
    QSize size;
};

// One layer as it is written: its settings and the pixels to store (for the active layer
// under a lifted selection, its pixels with the selection put back in place).
struct QpiLayerView {
    int visible = 1;
    int opacity = 100;
    int offsetX = 0;
    int offsetY = 0;
    const Bitmap* bitmap = nullptr;
};

// Writes the layers and the picture size. False when the device refuses the bytes.
bool WriteQpi(QIODevice& out, std::span<const QpiLayerView> layers, QSize pictureSize,
              QString* error);

// Reads a whole file. Every size is checked against the bytes the device holds before any
// pixel memory is taken, so a truncated or hostile file is refused with *error set.
bool ReadQpi(QIODevice& in, QpiPicture* picture, QString* error);
