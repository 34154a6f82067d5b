#include "platform/Bitmap.h"

#include <atomic>
#include <cstring>

namespace {
std::atomic<uint64_t> g_nextSerial{1};
}

Bitmap::Bitmap(int width, int height, uint8_t* bits)
    : m_nWidth(width), m_nHeight(height), m_pBits(bits), m_nSerial(g_nextSerial++) {}

bool Bitmap::IsAcceptableSize(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           width * height <= kMaxPixels;
}

std::unique_ptr<Bitmap> Bitmap::Create(int width, int height) {
    if (!IsAcceptableSize(width, height)) {
        return nullptr;
    }
    // calloc hands out zeroed pages lazily, so a new transparent bitmap costs no pass over it.
    auto* bits = static_cast<uint8_t*>(std::calloc(size_t(width) * size_t(height), 4));
    if (!bits) {
        return nullptr;
    }
    return std::unique_ptr<Bitmap>(new Bitmap(width, height, bits));
}

std::unique_ptr<Bitmap> Bitmap::Create(int width, int height, uint32_t argb) {
    auto bitmap = Create(width, height);
    if (bitmap && argb != 0) {
        bitmap->Clear(argb);
    }
    return bitmap;
}

std::unique_ptr<Bitmap> Bitmap::Renew(std::unique_ptr<Bitmap> old) {
    if (old) {
        old->m_nSerial = g_nextSerial++;
    }
    return old;
}

std::unique_ptr<Bitmap> Bitmap::FromImage(const QImage& image) {
    if (image.isNull()) {
        return nullptr;
    }
    const QImage argb = image.format() == QImage::Format_ARGB32
                            ? image
                            : image.convertToFormat(QImage::Format_ARGB32);
    auto bitmap = Create(argb.width(), argb.height());
    if (!bitmap) {
        return nullptr;
    }
    for (int y = 0; y < argb.height(); ++y) {
        std::memcpy(bitmap->Row(y), argb.constScanLine(y), size_t(bitmap->Stride()));
    }
    return bitmap;
}

void Bitmap::Clear(uint32_t argb) {
    if (argb == 0) {
        std::memset(Bits(), 0, size_t(ByteCount()));
        return;
    }
    uint32_t* first = Row(0);
    for (int x = 0; x < m_nWidth; ++x) {
        first[x] = argb;
    }
    for (int y = 1; y < m_nHeight; ++y) {
        std::memcpy(Row(y), first, size_t(Stride()));
    }
}

std::unique_ptr<Bitmap> Bitmap::Clone() const {
    auto* bits = static_cast<uint8_t*>(std::malloc(size_t(ByteCount())));
    if (!bits) {
        return nullptr;
    }
    std::memcpy(bits, Bits(), size_t(ByteCount()));
    return std::unique_ptr<Bitmap>(new Bitmap(m_nWidth, m_nHeight, bits));
}

std::unique_ptr<Bitmap> Bitmap::Copy(const QRect& rect) const {
    const QRect r = rect.intersected(Rect());
    if (r.isEmpty()) {
        return nullptr;
    }
    auto copy = Create(r.width(), r.height());
    if (!copy) {
        return nullptr;
    }
    for (int y = 0; y < r.height(); ++y) {
        std::memcpy(copy->Row(y), Row(r.top() + y) + r.left(), size_t(copy->Stride()));
    }
    return copy;
}

bool Bitmap::SamePixels(const Bitmap& other) const {
    return m_nWidth == other.m_nWidth && m_nHeight == other.m_nHeight &&
           std::memcmp(Bits(), other.Bits(), size_t(ByteCount())) == 0;
}

QImage Bitmap::View() {
    return QImage(Bits(), m_nWidth, m_nHeight, Stride(), QImage::Format_ARGB32);
}

QImage Bitmap::View() const {
    return QImage(Bits(), m_nWidth, m_nHeight, Stride(), QImage::Format_ARGB32);
}
