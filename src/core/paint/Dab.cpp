#include "paint/Dab.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Compose.h"

bool InsideEllipse(const QRect& box, int x, int y) {
    if (box.isEmpty()) {
        return false;
    }
    const double rx = box.width() / 2.0;
    const double ry = box.height() / 2.0;
    const double cx = box.left() + rx;
    const double cy = box.top() + ry;
    const double u = (x + 0.5 - cx) / rx;
    const double v = (y + 0.5 - cy) / ry;
    return u * u + v * v <= 1.0;
}

void CEllipseRows::RowSpan(int y, int& left, int& right) const {
    left = right = 0;
    if (m_box.isEmpty() || y < m_box.top() || y > m_box.bottom()) {
        return;
    }
    const double rx = m_box.width() / 2.0;
    const double ry = m_box.height() / 2.0;
    const double cx = m_box.left() + rx;
    const double v = (y + 0.5 - (m_box.top() + ry)) / ry;
    const double w = 1.0 - v * v;
    if (w < 0) {
        return;
    }
    // Pixel x is inside when |x + 0.5 - cx| <= rx sqrt(w).
    const double half = rx * std::sqrt(w);
    left = int(std::ceil(cx - half - 0.5));
    right = int(std::floor(cx + half - 0.5)) + 1;
    // Rounding at the very edge must agree with the set test.
    while (left < right && !InsideEllipse(m_box, left, y)) {
        ++left;
    }
    while (right > left && !InsideEllipse(m_box, right - 1, y)) {
        --right;
    }
}

void BlendEllipse(Bitmap& dst, const QRect& box, uint32_t color) {
    const QRect area = box.intersected(dst.Rect());
    if (area.isEmpty()) {
        return;
    }
    const CEllipseRows rows(box);
    std::vector<uint32_t> source(size_t(box.width()), color);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        int left = 0, right = 0;
        rows.RowSpan(y, left, right);
        left = std::max(left, 0);
        right = std::min(right, dst.Width());
        if (left < right) {
            BlendRow(dst.Row(y) + left, source.data(), right - left, 1.0f);
        }
    }
}
