#include "paint/LiveWire.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>

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
    m_nWidth = m_nHeight = 0;
    m_arrMagnitude.clear();
    m_arrDirection.clear();
    m_arrCost.clear();
    m_arrLink.clear();
}

void CLiveWire::BuildEdgeMap(const Bitmap& picture) {
    const int w = picture.Width(), h = picture.Height();
    m_nWidth = w;
    m_nHeight = h;
    const size_t count = size_t(w) * size_t(h);
    m_arrMagnitude.assign(count, 0);
    m_arrDirection.assign(count, kNoDirection);
    if (w < 3 || h < 3) {
        return;
    }
    // The smoothed channels, blue, green, red planes of whole rows; outside pixels repeat
    // the edge.
    std::vector<uint8_t> smooth(count * 3);
    auto plane = [&](int c) { return smooth.data() + size_t(c) * count; };
    for (int y = 0; y < h; ++y) {
        const uint8_t* rows[3] = {picture.Bits() + size_t(std::max(0, y - 1)) * size_t(w) * 4,
                                  picture.Bits() + size_t(y) * size_t(w) * 4,
                                  picture.Bits() + size_t(std::min(h - 1, y + 1)) * size_t(w) * 4};
        for (int c = 0; c < 3; ++c) {
            uint8_t* out = plane(c) + size_t(y) * size_t(w);
            for (int x = 0; x < w; ++x) {
                const int xl = std::max(0, x - 1) * 4 + c, xm = x * 4 + c,
                          xr = std::min(w - 1, x + 1) * 4 + c;
                int sum = 0;
                for (const uint8_t* r : rows) {
                    sum += r[xl] + r[xm] + r[xr];
                }
                out[x] = uint8_t((sum + 23 * rows[1][xm] + 16) >> 5);
            }
        }
    }
    for (int y = 1; y < h - 1; ++y) {
        uint8_t* mag = m_arrMagnitude.data() + size_t(y) * size_t(w);
        uint8_t* dir = m_arrDirection.data() + size_t(y) * size_t(w);
        for (int x = 1; x < w - 1; ++x) {
            int gx = 0, gy = 0;
            for (int c = 0; c < 3; ++c) {
                const uint8_t* t = plane(c) + size_t(y - 1) * size_t(w) + size_t(x);
                const uint8_t* m = t + w;
                const uint8_t* b = m + w;
                const int sx = (t[-1] + 2 * m[-1] + b[-1]) - (t[1] + 2 * m[1] + b[1]);
                const int sy = (t[-1] + 2 * t[0] + t[1]) - (b[-1] + 2 * b[0] + b[1]);
                const int vx = std::clamp(sx / 4, -127, 127);
                const int vy = std::clamp(sy / 4, -127, 127);
                if (std::abs(vx) > std::abs(gx)) {
                    gx = vx;
                }
                if (std::abs(vy) > std::abs(gy)) {
                    gy = vy;
                }
            }
            const size_t i = size_t(gy + 127) * 255 + size_t(gx + 127);
            mag[x] = m_arrMagnitudeOf[i];
            dir[x] = m_arrDirectionOf[i];
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
