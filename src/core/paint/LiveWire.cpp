#include "paint/LiveWire.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "platform/Parallel.h"

namespace {

// The 8 neighbours: offset and link orientation.
struct Neighbour {
    int dx, dy, orientation;
};
constexpr Neighbour kNeighbours[8] = {
    {-1, 0, 0}, {1, 0, 0}, {0, -1, 1}, {0, 1, 1}, {1, -1, 2}, {-1, 1, 2}, {1, 1, 3}, {-1, -1, 3},
};
constexpr uint8_t kEnd = 255;

int OrientationOf(int dx, int dy) {
    if (dy == 0) {
        return 0;
    }
    if (dx == 0) {
        return 1;
    }
    return dx == dy ? 3 : 2;
}

}  // namespace

int CLiveWire::DiagonalWeight(int i) {
    return int(std::lround(i * std::numbers::sqrt2));
}

CLiveWire::CLiveWire() {
    for (int i = 0; i < 256; ++i) {
        m_arrDiagonal[size_t(i)] = DiagonalWeight(i);
    }
    for (int n = 127; n >= -128; --n) {
        const size_t byte = uint8_t(int8_t(n));
        m_arrOrientation[0][byte] = 254 - 2 * std::abs(n);
        m_arrOrientation[1][byte] = 2 * std::abs(n);
        m_arrOrientation[2][byte] = 2 * std::abs(n + 64);
        m_arrOrientation[3][byte] = 2 * std::abs(n - 64);
    }
    m_arrMagnitudeOf.resize(255 * 255);
    m_arrDirectionOf.resize(255 * 255);
    for (int gy = -127; gy <= 127; ++gy) {
        for (int gx = -127; gx <= 127; ++gx) {
            const double length = std::sqrt(double(gx * gx + gy * gy));
            const size_t i = size_t(gy + 127) * 255 + size_t(gx + 127);
            m_arrMagnitudeOf[i] = uint8_t(std::min(255L, std::lround(length * 255.0 / 179.606)));
            if (length > 63.0) {
                const double angle = gy == 0
                                         ? (gx > 0 ? std::numbers::pi / 2 : -std::numbers::pi / 2)
                                         : std::atan(double(gx) / double(gy));
                const int dir =
                    int(std::floor((angle + std::numbers::pi / 2) * 254.0 / std::numbers::pi));
                m_arrDirectionOf[i] = uint8_t(std::clamp(dir, 0, 254));
            } else {
                m_arrDirectionOf[i] = kNoDirection;
            }
        }
    }
}

void CLiveWire::ForgetEdgeMap() {
    m_pPicture = nullptr;
    m_nWidth = m_nHeight = 0;
    m_arrMagnitude.clear();
    m_arrDirection.clear();
    m_arrTileDone.clear();
    m_arrCost.clear();
    m_arrLink.clear();
}

void CLiveWire::AttachPicture(const Bitmap& picture) {
    m_pPicture = &picture;
    m_nWidth = picture.Width();
    m_nHeight = picture.Height();
    const size_t count = size_t(m_nWidth) * size_t(m_nHeight);
    m_arrMagnitude.assign(count, 0);
    m_arrDirection.assign(count, kNoDirection);
    m_nTilesX = (m_nWidth + kTile - 1) / kTile;
    m_nTilesY = (m_nHeight + kTile - 1) / kTile;
    m_arrTileDone.assign(size_t(m_nTilesX) * size_t(m_nTilesY), 0);
}

void CLiveWire::BuildEdgeMap(const Bitmap& picture) {
    AttachPicture(picture);
    ParallelBands(m_nTilesY, int64_t(m_nWidth) * kTile * 16, [&](int first, int last) {
        ComputeArea(QRect(0, first * kTile, m_nWidth, (last - first) * kTile));
    });
}

void CLiveWire::ComputeArea(const QRect& area) {
    if (!m_pPicture) {
        return;
    }
    const QRect tiles(QPoint(std::max(0, area.left()) / kTile, std::max(0, area.top()) / kTile),
                      QPoint(std::min(m_nWidth - 1, area.right()) / kTile,
                             std::min(m_nHeight - 1, area.bottom()) / kTile));
    for (int ty = tiles.top(); ty <= tiles.bottom(); ++ty) {
        for (int tx = tiles.left(); tx <= tiles.right(); ++tx) {
            uint8_t& done = m_arrTileDone[size_t(ty) * size_t(m_nTilesX) + size_t(tx)];
            if (!done) {
                ComputeTile(QRect(tx * kTile, ty * kTile, kTile, kTile));
                done = 1;
            }
        }
    }
}

void CLiveWire::ComputeTile(const QRect& tile) {
    const Bitmap& picture = *m_pPicture;
    const int w = m_nWidth, h = m_nHeight;
    // The border pixels keep magnitude 0 and no direction.
    const QRect r = tile & QRect(1, 1, w - 2, h - 2);
    if (r.isEmpty()) {
        return;
    }
    // The smoothed channels of r and one pixel around it (inside the picture, as r is inside
    // its border), as blue, green, red planes; pixels beyond the picture repeat its edge.
    const QRect g = r.adjusted(-1, -1, 1, 1);
    const int gw = g.width(), gh = g.height();
    std::vector<uint8_t> smooth(size_t(gw) * size_t(gh) * 3);
    auto plane = [&](int c, int row) {
        return smooth.data() + (size_t(c) * size_t(gh) + size_t(row)) * size_t(gw);
    };
    // Column sums of three rows for the pixels of g and one more on either side.
    std::vector<uint16_t> columns(size_t(gw + 2) * 4);
    for (int row = 0; row < gh; ++row) {
        const int y = g.top() + row;
        const uint8_t* t = picture.Bits() + size_t(std::max(0, y - 1)) * size_t(w) * 4;
        const uint8_t* m = picture.Bits() + size_t(y) * size_t(w) * 4;
        const uint8_t* b = picture.Bits() + size_t(std::min(h - 1, y + 1)) * size_t(w) * 4;
        for (int k = 0; k < gw + 2; ++k) {
            const int x = std::clamp(g.left() - 1 + k, 0, w - 1) * 4;
            for (int c = 0; c < 4; ++c) {
                columns[size_t(k) * 4 + size_t(c)] = uint16_t(t[x + c] + m[x + c] + b[x + c]);
            }
        }
        const uint8_t* centre = m + size_t(g.left()) * 4;
        for (int c = 0; c < 3; ++c) {
            uint8_t* out = plane(c, row);
            for (int k = 0; k < gw; ++k) {
                const size_t i = size_t(k) * 4 + size_t(c);
                const int sum = columns[i] + columns[i + 4] + columns[i + 8];
                out[k] = uint8_t((sum + 23 * centre[i] + 16) >> 5);
            }
        }
    }
    const size_t width = static_cast<size_t>(r.width());
    std::vector<int> gxRow(width), gyRow(width);
    std::vector<int> vertical(static_cast<size_t>(gw)), across(static_cast<size_t>(gw));
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const int row = y - g.top();
        std::fill(gxRow.begin(), gxRow.end(), 0);
        std::fill(gyRow.begin(), gyRow.end(), 0);
        for (int c = 0; c < 3; ++c) {
            const uint8_t* t = plane(c, row - 1);
            const uint8_t* m = plane(c, row);
            const uint8_t* b = plane(c, row + 1);
            for (int k = 0; k < gw; ++k) {
                vertical[size_t(k)] = t[k] + 2 * m[k] + b[k];
                across[size_t(k)] = t[k] - b[k];
            }
            // Pixel x of r is column k = x - g.left() = i + 1 of the planes.
            for (size_t i = 0; i < width; ++i) {
                const int sx = vertical[i] - vertical[i + 2];
                const int sy = across[i] + 2 * across[i + 1] + across[i + 2];
                const int vx = std::clamp(sx / 4, -127, 127);
                const int vy = std::clamp(sy / 4, -127, 127);
                if (std::abs(vx) > std::abs(gxRow[i])) {
                    gxRow[i] = vx;
                }
                if (std::abs(vy) > std::abs(gyRow[i])) {
                    gyRow[i] = vy;
                }
            }
        }
        uint8_t* mag = m_arrMagnitude.data() + size_t(y) * size_t(w) + size_t(r.left());
        uint8_t* dir = m_arrDirection.data() + size_t(y) * size_t(w) + size_t(r.left());
        for (size_t i = 0; i < width; ++i) {
            const size_t lookup = size_t(gyRow[i] + 127) * 255 + size_t(gxRow[i] + 127);
            mag[i] = m_arrMagnitudeOf[lookup];
            dir[i] = m_arrDirectionOf[lookup];
        }
    }
}

int CLiveWire::LinkCost(QPoint from, QPoint to) const {
    const int o = OrientationOf(to.x() - from.x(), to.y() - from.y());
    const int g = 255 - Magnitude(to.x(), to.y());
    const int base = o < 2 ? (g * 4) / 5 : (m_arrDiagonal[size_t(g)] * 4) / 5;
    const int turn = OrientationCost(o, Direction(to.x(), to.y())) +
                     OrientationCost(o, Direction(from.x(), from.y()));
    return std::max(0, base + int(std::lround(0.2 * turn)));
}

std::vector<QPoint> CLiveWire::FindPath(QPoint start, QPoint end) {
    if (!HasEdgeMap()) {
        return {};
    }
    auto clampPoint = [this](QPoint p) {
        return QPoint(std::clamp(p.x(), 0, m_nWidth - 1), std::clamp(p.y(), 0, m_nHeight - 1));
    };
    const QPoint p = clampPoint(start), q = clampPoint(end);
    if (p == q) {
        return {p};
    }
    // The box, widened beyond the start point.
    int left = std::min(p.x(), q.x()), right = std::max(p.x(), q.x());
    int top = std::min(p.y(), q.y()), bottom = std::max(p.y(), q.y());
    if (p.x() <= q.x()) {
        left = std::max(0, p.x() - 5);
    }
    if (p.x() >= q.x()) {
        right = std::min(m_nWidth - 1, p.x() + 5);
    }
    if (p.y() <= q.y()) {
        top = std::max(0, p.y() - 5);
    }
    if (p.y() >= q.y()) {
        bottom = std::min(m_nHeight - 1, p.y() + 5);
    }
    ComputeArea(QRect(QPoint(left, top), QPoint(right, bottom)));
    const int bw = right - left + 1, bh = bottom - top + 1;
    const size_t cells = size_t(bw) * size_t(bh);
    m_arrCost.assign(cells, INT_MAX);
    m_arrLink.assign(cells, kEnd);
    auto cell = [&](int x, int y) { return size_t(y - top) * size_t(bw) + size_t(x - left); };
    auto inBox = [&](int x, int y) { return x >= left && x <= right && y >= top && y <= bottom; };

    auto visit = [&](int x, int y) {
        const size_t here = cell(x, y);
        if (x == q.x() && y == q.y()) {
            m_arrCost[here] = 0;
            return;
        }
        const QPoint at(x, y);
        int best = INT_MAX;
        uint8_t link = kEnd;
        for (uint8_t k = 0; k < 8; ++k) {
            const int nx = x + kNeighbours[k].dx, ny = y + kNeighbours[k].dy;
            if (!inBox(nx, ny) || m_arrCost[cell(nx, ny)] == INT_MAX) {
                continue;
            }
            const int c = m_arrCost[cell(nx, ny)] + LinkCost(at, QPoint(nx, ny));
            if (c < best) {
                best = c;
                link = k;
            }
        }
        m_arrCost[here] = best;
        m_arrLink[here] = link;
        // Neighbours computed before may be reached more cheaply through this pixel.
        for (uint8_t k = 0; k < 8; ++k) {
            const int nx = x + kNeighbours[k].dx, ny = y + kNeighbours[k].dy;
            if (k == link || !inBox(nx, ny)) {
                continue;
            }
            const size_t there = cell(nx, ny);
            if (m_arrCost[there] == INT_MAX || m_arrLink[there] == kEnd) {
                continue;
            }
            const int c = best + LinkCost(QPoint(nx, ny), at);
            if (c < m_arrCost[there]) {
                m_arrCost[there] = c;
                // The neighbour now links back to this pixel: the opposite offset.
                m_arrLink[there] = uint8_t(k ^ 1);
            }
        }
    };
    auto sweepRow = [&](int y) {
        for (int x = q.x(); x >= left; --x) {
            visit(x, y);
        }
        for (int x = q.x() + 1; x <= right; ++x) {
            visit(x, y);
        }
    };
    for (int y = q.y(); y >= top; --y) {
        sweepRow(y);
    }
    for (int y = q.y() + 1; y <= bottom; ++y) {
        sweepRow(y);
    }

    std::vector<QPoint> path{p};
    QPoint at = p;
    for (size_t steps = 0; at != q && steps < cells; ++steps) {
        const uint8_t k = m_arrLink[cell(at.x(), at.y())];
        if (k == kEnd) {
            break;
        }
        at += QPoint(kNeighbours[k].dx, kNeighbours[k].dy);
        path.push_back(at);
    }
    if (path.back() != q) {
        path.push_back(q);  // cannot happen with links that never cost less than 0
    }
    return path;
}
