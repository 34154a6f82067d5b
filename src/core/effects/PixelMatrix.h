#pragma once

#include <cstdint>
#include <memory>

#include "platform/Bitmap.h"

// A width x height array of 0xAARRGGBB values, row after row (index x + y * width): the
// source ConvolvePixel reads. Reads outside the array give 0xFF000000 and
// writes there are dropped, so a filter's window can never reach memory outside it.
class PixelMatrix {
public:
    PixelMatrix() = default;

    // False (and an empty matrix) when the memory cannot be had.
    bool Allocate(int width, int height);

    // The source of a filter: a copy of bitmap as drawing it onto a new transparent bitmap
    // gives it, so a fully transparent pixel reads as transparent black. False when the
    // memory cannot be had.
    bool CopyFrom(const Bitmap& bitmap);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight; }
    uint32_t Get(int x, int y) const {
        return Contains(x, y) ? m_pData[size_t(x) + size_t(y) * size_t(m_nWidth)] : kOutside;
    }
    void Set(int x, int y, uint32_t argb) {
        if (Contains(x, y)) {
            m_pData[size_t(x) + size_t(y) * size_t(m_nWidth)] = argb;
        }
    }
    const uint32_t* Row(int y) const { return m_pData.get() + size_t(y) * size_t(m_nWidth); }
    uint32_t* Row(int y) { return m_pData.get() + size_t(y) * size_t(m_nWidth); }

    static constexpr uint32_t kOutside = 0xFF000000u;

private:
    std::unique_ptr<uint32_t[]> m_pData;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
