#include "files/QpiFile.h"

#include <QtEndian>
#include <algorithm>

namespace {

// Offsets this far out are no picture's; they would overflow the layer's rectangle.
constexpr int kMaxOffset = 1 << 28;

bool PutInts(QIODevice& out, std::initializer_list<int32_t> values) {
    for (int32_t v : values) {
        const int32_t le = qToLittleEndian(v);
        if (out.write(reinterpret_cast<const char*>(&le), 4) != 4) {
            return false;
        }
    }
    return true;
}

bool GetInt(QIODevice& in, int32_t* v) {
    int32_t le;
    if (in.read(reinterpret_cast<char*>(&le), 4) != 4) {
        return false;
    }
    *v = qFromLittleEndian(le);
    return true;
}

bool Fail(QString* error, const char* message) {
    if (error) {
        *error = QString::fromLatin1(message);
    }
    return false;
}

}  // namespace

bool WriteQpi(QIODevice& out, std::span<const QpiLayerView> layers, QSize pictureSize,
              QString* error) {
    if (!PutInts(out, {int32_t(layers.size())})) {
        return Fail(error, "Failed to save document.");
    }
    for (const QpiLayerView& layer : layers) {
        const Bitmap& bitmap = *layer.bitmap;
        if (bitmap.PixelFormat() != Bitmap::kPixelFormat32bppARGB) {
            return Fail(error, kMsgQpiUnknownPixelFormat);
        }
        if (!PutInts(out, {layer.visible, layer.opacity, layer.offsetX, layer.offsetY,
                           bitmap.Width(), bitmap.Height(), 32}) ||
            out.write(reinterpret_cast<const char*>(bitmap.Bits()), bitmap.ByteCount()) !=
                bitmap.ByteCount()) {
            return Fail(error, "Failed to save document.");
        }
    }
    if (!PutInts(out, {pictureSize.width(), pictureSize.height()})) {
        return Fail(error, "Failed to save document.");
    }
    return true;
}

bool ReadQpi(QIODevice& in, QpiPicture* picture, QString* error) {
    const qint64 length = in.size() - in.pos();
    int32_t count = 0;
    if (length < 12 || !GetInt(in, &count)) {
        return Fail(error, kMsgQpiDamaged);
    }
    if (count < 1) {
        return Fail(error, kMsgQpiNoLayers);
    }
    // Each record takes at least 28 bytes, so the length bounds the count.
    if (count > (length - 12) / 28) {
        return Fail(error, kMsgQpiDamaged);
    }

    // First pass: the records' headers, each checked against what the file still holds.
    struct Header {
        int32_t visible, opacity, x, y, w, h;
        qint64 pixelsAt;
    };
    std::vector<Header> headers;
    headers.reserve(size_t(count));
    qint64 pos = in.pos();
    const qint64 end = pos + length - 4;
    for (int32_t i = 0; i < count; ++i) {
        Header h{};
        int32_t bpp = 0;
        if (end - pos < 28 + 8 || !in.seek(pos) || !GetInt(in, &h.visible) ||
            !GetInt(in, &h.opacity) || !GetInt(in, &h.x) || !GetInt(in, &h.y) ||
            !GetInt(in, &h.w) || !GetInt(in, &h.h) || !GetInt(in, &bpp)) {
            return Fail(error, kMsgQpiDamaged);
        }
        if (bpp != 32) {
            return Fail(error, kMsgQpiBadPixelFormat);
        }
        if (!Bitmap::IsAcceptableSize(h.w, h.h) || h.x < -kMaxOffset || h.x > kMaxOffset ||
            h.y < -kMaxOffset || h.y > kMaxOffset) {
            return Fail(error, kMsgQpiDamaged);
        }
        h.pixelsAt = pos + 28;
        const qint64 bytes = qint64(h.w) * h.h * 4;
        // The pixels and the closing picture size must still fit.
        if (bytes > end - h.pixelsAt - 8) {
            return Fail(error, kMsgQpiDamaged);
        }
        pos = h.pixelsAt + bytes;
        headers.push_back(h);
    }
    int32_t width = 0, height = 0;
    if (!in.seek(pos) || !GetInt(in, &width) || !GetInt(in, &height) || width < 1 || height < 1) {
        return Fail(error, kMsgQpiDamaged);
    }

    // Second pass: the pixels, straight into each layer's bitmap.
    QpiPicture result;
    result.size = QSize(width, height);
    result.layers.reserve(headers.size());
    for (const Header& h : headers) {
        QpiLayer layer;
        layer.visible = h.visible;
        layer.opacity = std::clamp(h.opacity, 0, 100);
        layer.offsetX = h.x;
        layer.offsetY = h.y;
        layer.bitmap = Bitmap::Create(h.w, h.h);
        if (!layer.bitmap) {
            return Fail(error, "The picture is too large to be opened.");
        }
        if (!in.seek(h.pixelsAt) ||
            in.read(reinterpret_cast<char*>(layer.bitmap->Bits()), layer.bitmap->ByteCount()) !=
                layer.bitmap->ByteCount()) {
            return Fail(error, kMsgQpiDamaged);
        }
        result.layers.push_back(std::move(layer));
    }
    *picture = std::move(result);
    return true;
}
