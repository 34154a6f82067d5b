#pragma once

#include <QPoint>
#include <QRect>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"

// The scissor's path finder: a path between two points that follows the strong edges of a
// picture.
//
// Edge map (built once per picture, then reused): each colour channel is smoothed with the
// 3 x 3 kernel [1 1 1; 1 24 1; 1 1 1] / 32, then filtered with the Sobel kernels
// [1 0 -1; 2 0 -2; 1 0 -1] (x) and [1 2 1; 0 0 0; -1 -2 -1] (y); the results are divided by
// 4 and held to -127..127. Per pixel gx is the x result of the channel with the largest |x|,
// gy the y result of the channel with the largest |y|; the magnitude is
// G = round(sqrt(gx^2 + gy^2) x 255 / 179.606), and the direction byte
// floor((atan(gx / gy) + pi/2) x 254 / pi) when sqrt(gx^2 + gy^2) > 63 (gy = 0 gives -pi/2 or
// +pi/2 by the sign of gx), else 255 (no direction). The border pixels have G = 0 and no
// direction.
//
// Link cost from a pixel to an 8-neighbour in orientation o (0 horizontal, 1 vertical, 2 the
// diagonal to the upper right / lower left, 3 the one to the lower right / upper left):
// floor(0.8 x (255 - G)) for o < 2 and floor(0.8 x d[255 - G]) for the diagonals, G being the
// neighbour's magnitude and d[i] = round(i x sqrt 2), plus round(0.2 x (c[o, dir of the
// neighbour] + c[o, dir of the pixel])), where for the direction byte read as a signed byte
// n the costs c are 254 - 2|n|, 2|n|, 2|n + 64| and 2|n - 64|. A link never costs less than 0.
//
// The map is worked out in tiles as the searches reach them (or all at once), each tile once.
//
// The search (FindPath) sweeps the box spanned by the two points, widened by 5 pixels beyond
// the start point, once outward from the end point, row by row and within each row column by
// column: each pixel takes its cheapest neighbour computed so far plus the link cost, and
// then lowers the cost of its other computed neighbours when the way through it is cheaper.
// The path is read from the start point by following the links to the end point.
class CLiveWire {
public:
    static constexpr uint8_t kNoDirection = 255;

    CLiveWire();

    // The edge map of picture (its width x height pixels), all of it at once.
    void BuildEdgeMap(const Bitmap& picture);
    // The same worked out only where searches need it, in tiles, each once. picture must
    // stay alive until the next AttachPicture, BuildEdgeMap or ForgetEdgeMap.
    void AttachPicture(const Bitmap& picture);
    // Makes sure the edge map holds the pixels of area.
    void ComputeArea(const QRect& area);
    bool HasEdgeMap() const { return m_nWidth > 0; }
    void ForgetEdgeMap();
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    uint8_t Magnitude(int x, int y) const { return m_arrMagnitude[Index(x, y)]; }
    uint8_t Direction(int x, int y) const { return m_arrDirection[Index(x, y)]; }

    // The cost of the link from pixel `from` to its 8-neighbour `to`.
    int LinkCost(QPoint from, QPoint to) const;

    // The path from start to end over the edge map, both ends included, each point an
    // 8-neighbour of the one before. Both points are first held to the picture. Empty
    // without an edge map.
    std::vector<QPoint> FindPath(QPoint start, QPoint end);

    // The tables.
    static int DiagonalWeight(int i);  // round(i x sqrt 2)
    int OrientationCost(int orientation, uint8_t direction) const {
        return m_arrOrientation[size_t(orientation)][direction];
    }

private:
    static constexpr int kTile = 64;
    void ComputeTile(const QRect& tile);

    size_t Index(int x, int y) const { return size_t(y) * size_t(m_nWidth) + size_t(x); }

    std::array<int, 256> m_arrDiagonal{};
    std::array<std::array<int, 256>, 4> m_arrOrientation{};
    // Magnitude and direction for every (gx, gy) in -127..127, indexed (gy + 127) * 255 + gx + 127.
    std::vector<uint8_t> m_arrMagnitudeOf, m_arrDirectionOf;

    const Bitmap* m_pPicture = nullptr;
    int m_nWidth = 0, m_nHeight = 0;
    std::vector<uint8_t> m_arrMagnitude, m_arrDirection;
    int m_nTilesX = 0, m_nTilesY = 0;
    std::vector<uint8_t> m_arrTileDone;  // per tile of kTile x kTile pixels
    // The cost map of the last search: costs and the neighbour each pixel links to.
    std::vector<int32_t> m_arrCost;
    std::vector<uint8_t> m_arrLink;
};
