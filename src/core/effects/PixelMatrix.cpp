#include "effects/PixelMatrix.h"

#include <new>

#include "effects/EffectRows.h"

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

bool PixelMatrix::CopyFrom(const Bitmap& bitmap, Copy mode) {
    if (!Allocate(bitmap.Width(), bitmap.Height())) {
        return false;
    }
    ParallelBands(m_nHeight, m_nWidth, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            const uint32_t* from = bitmap.Row(y);
            uint32_t* to = Row(y);
            switch (mode) {
                case Copy::Drawn:
                    for (int x = 0; x < m_nWidth; ++x) {
                        to[x] = (from[x] >> 24) == 0 ? 0u : from[x];
                    }
                    break;
                case Copy::Opaque:
                    for (int x = 0; x < m_nWidth; ++x) {
                        to[x] = ((from[x] >> 24) == 0 ? 0u : from[x]) | 0xFF000000u;
                    }
                    break;
                case Copy::Contributors:
                    for (int x = 0; x < m_nWidth; ++x) {
                        const uint32_t p = from[x];
                        const bool counts = (p & 0xFF000000u) && (p & 0x00FF0000u) &&
                                            (p & 0x0000FF00u) && (p & 0x000000FFu);
                        to[x] = counts ? p : 0u;
                    }
                    break;
            }
        }
    });
    return true;
}
