#include "effects/PixelMatrix.h"

#include <new>

bool PixelMatrix::Allocate(int width, int height) {
    m_pData.reset();
    m_nWidth = m_nHeight = 0;
    if (width <= 0 || height <= 0) {
        return false;
    }
    m_pData.reset(new (std::nothrow) uint32_t[size_t(width) * size_t(height)]);
    if (!m_pData) {
        return false;
    }
    m_nWidth = width;
    m_nHeight = height;
    return true;
}

bool PixelMatrix::CopyFrom(const Bitmap& bitmap) {
    if (!Allocate(bitmap.Width(), bitmap.Height())) {
        return false;
    }
    for (int y = 0; y < m_nHeight; ++y) {
        const uint32_t* from = bitmap.Row(y);
        uint32_t* to = Row(y);
        for (int x = 0; x < m_nWidth; ++x) {
            to[x] = (from[x] >> 24) == 0 ? 0u : from[x];
        }
    }
    return true;
}
