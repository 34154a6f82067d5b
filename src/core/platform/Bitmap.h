#pragma once

#include <QImage>
#include <QRect>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <memory>

static_assert(std::endian::native == std::endian::little,
              "pixels are read as 0xAARRGGBB from B, G, R, A bytes");

// One 32-bit ARGB picture with straight (not premultiplied) alpha. In memory each pixel is
// the four bytes blue, green, red, alpha; read as one integer it is 0xAARRGGBB. Rows are
// contiguous, top to bottom, exactly width x 4 bytes each. Every layer, cache and fragment
// of a document is such a bitmap.
class Bitmap {
public:
    // The pixel format number the layered file and the undo history record (32 bits ARGB).
    static constexpr int kPixelFormat32bppARGB = 0x26200A;
    // Larger sides are refused: they cannot be shown, and a hostile file could ask for them.
    static constexpr int kMaxSide = 65536;
    static constexpr int64_t kMaxPixels = int64_t(1) << 30;

    // A new bitmap whose pixels are all 0x00000000, or null when the size is not positive,
    // too large, or the memory cannot be had.
    static std::unique_ptr<Bitmap> Create(int width, int height);
    // As Create, every pixel set to argb.
    static std::unique_ptr<Bitmap> Create(int width, int height, uint32_t argb);
    // A copy of any QImage, converted to straight ARGB; null for a null image.
    static std::unique_ptr<Bitmap> FromImage(const QImage& image);

    // The memory of a bitmap nobody refers to any more, handed out again as a new bitmap: same
    // size, a new serial, the old pixels still in it. Recycled memory is already paged in, so
    // copying into it costs a memcpy instead of fresh page faults.
    static std::unique_ptr<Bitmap> Renew(std::unique_ptr<Bitmap> old);

    // True when a width x height bitmap may be created at all (sizes, not memory).
    static bool IsAcceptableSize(int64_t width, int64_t height);

    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    ~Bitmap() = default;

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    QSize Size() const { return {m_nWidth, m_nHeight}; }
    QRect Rect() const { return {0, 0, m_nWidth, m_nHeight}; }
    int Stride() const { return m_nWidth * 4; }
    int64_t ByteCount() const { return int64_t(m_nWidth) * m_nHeight * 4; }
    int PixelFormat() const { return kPixelFormat32bppARGB; }

    uint8_t* Bits() { return m_pBits.get(); }
    const uint8_t* Bits() const { return m_pBits.get(); }
    uint32_t* Row(int y) {
        return reinterpret_cast<uint32_t*>(m_pBits.get() + int64_t(y) * Stride());
    }
    const uint32_t* Row(int y) const {
        return reinterpret_cast<const uint32_t*>(m_pBits.get() + int64_t(y) * Stride());
    }
    uint32_t GetPixel(int x, int y) const { return Row(y)[x]; }
    void SetPixel(int x, int y, uint32_t argb) { Row(y)[x] = argb; }

    void Clear(uint32_t argb);
    std::unique_ptr<Bitmap> Clone() const;
    // A copy of the pixels inside rect (clipped to the bitmap); null when nothing is inside.
    std::unique_ptr<Bitmap> Copy(const QRect& rect) const;
    bool SamePixels(const Bitmap& other) const;

    // A QImage over this bitmap's own memory (no copy), for QPainter. It stays valid while the
    // bitmap lives; painting on it changes the bitmap.
    QImage View();
    QImage View() const;
    // A deep copy as a QImage in Format_ARGB32.
    QImage ToImage() const { return View().copy(); }

    // A number that no other bitmap of this run has had; a bitmap replaced by a new one gets
    // a new number even when the memory is reused.
    uint64_t Serial() const { return m_nSerial; }

private:
    struct FreeDeleter {
        void operator()(uint8_t* p) const { std::free(p); }
    };
    Bitmap(int width, int height, uint8_t* bits);

    int m_nWidth;
    int m_nHeight;
    std::unique_ptr<uint8_t, FreeDeleter> m_pBits;
    uint64_t m_nSerial;
};

inline constexpr uint32_t ArgbAlpha(uint32_t c) {
    return c >> 24;
}
inline constexpr uint32_t ArgbRed(uint32_t c) {
    return (c >> 16) & 0xFF;
}
inline constexpr uint32_t ArgbGreen(uint32_t c) {
    return (c >> 8) & 0xFF;
}
inline constexpr uint32_t ArgbBlue(uint32_t c) {
    return c & 0xFF;
}
inline constexpr uint32_t MakeArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}
