#pragma once

#include <memory>

#include "document/UndoHistory.h"
#include "platform/Bitmap.h"
#include "platform/Rect.h"

// One layer of a picture: its pixels, visibility, opacity, position and undo history. The
// layers panel shows each layer as a tile.
class CLayerFrame {
public:
    CLayerFrame(int number, std::unique_ptr<Bitmap> bitmap)
        : m_nNumber(number), m_pBitmap(std::move(bitmap)) {}

    // The layer's rectangle in image pixels.
    CRect Rect() const {
        return {m_nOffsetX, m_nOffsetY, m_nOffsetX + m_pBitmap->Width(),
                m_nOffsetY + m_pBitmap->Height()};
    }

    int m_nNumber;                      // position in the stack, 1-based (index + 1)
    std::unique_ptr<Bitmap> m_pBitmap;  // layers of one document may differ in size
    int m_bVisible = 1;
    int m_nOpacity = 100;  // percent, 0..100
    int m_nOffsetX = 0;    // position of the bitmap's top-left pixel in the picture
    int m_nOffsetY = 0;
    CLayerHistory m_History;
};
