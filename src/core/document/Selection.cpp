#include "document/Selection.h"

#include <algorithm>
#include <cmath>

namespace {

// Vertices are held to this range before they become integers: far beyond any picture, and
// small enough that region arithmetic on them cannot overflow.
constexpr double kMaxCoordinate = double(1 << 24);

int Truncate(double v) {
    if (!(v == v)) {  // NaN
        return 0;
    }
    return int(std::trunc(std::clamp(v, -kMaxCoordinate, kMaxCoordinate)));
}

}  // namespace

CSelectionShape CSelectionShape::Rectangle(const CRect& rect, int mode) {
    CSelectionShape shape;
    shape.m_nMode = mode;
    const double l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    shape.m_arrPoints = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}};
    return shape;
}

CSelectionShape CSelectionShape::Ellipse(const CRect& rect, int mode) {
    CSelectionShape shape;
    shape.m_nMode = mode;
    const int w = rect.right - rect.left;
    if (w < 0 || rect.bottom < rect.top) {
        return shape;
    }
    const size_t count = size_t(w) * 2 + 3;
    shape.m_arrPoints.resize(count);
    const double a = (w + 1) / 2.0;
    const double k = double(rect.bottom - rect.top + 1) / double(w + 1);
    const double cx = (rect.left + rect.right) / 2.0;
    const double cy = (rect.top + rect.bottom) / 2.0;
    for (int x = rect.left; x <= rect.right; ++x) {
        const double dx = x - cx;
        const double r = std::sqrt(std::max(0.0, a * a - dx * dx));
        const size_t i = size_t(x - rect.left);
        shape.m_arrPoints[i] = QPointF(x, cy + r * k);
        shape.m_arrPoints[count - 2 - i] = QPointF(x, cy - r * k);
    }
    shape.m_arrPoints[count - 1] = shape.m_arrPoints[0];
    return shape;
}

CSelectionShape CSelectionShape::Polygon(std::span<const QPoint> points, int mode) {
    CSelectionShape shape;
    shape.m_nMode = mode;
    shape.m_arrPoints.assign(points.begin(), points.end());
    return shape;
}

QPolygon CSelectionShape::ToPolygon() const {
    QPolygon polygon(qsizetype(m_arrPoints.size()));
    for (size_t i = 0; i < m_arrPoints.size(); ++i) {
        polygon[qsizetype(i)] = QPoint(Truncate(m_arrPoints[i].x()), Truncate(m_arrPoints[i].y()));
    }
    return polygon;
}

CRect CSelectionShape::Bounds() const {
    if (m_arrPoints.empty()) {
        return {};
    }
    CRect bounds(Truncate(m_arrPoints[0].x()), Truncate(m_arrPoints[0].y()), 0, 0);
    bounds.right = bounds.left;
    bounds.bottom = bounds.top;
    for (const QPointF& p : m_arrPoints) {
        const int x = Truncate(p.x()), y = Truncate(p.y());
        bounds.left = std::min(bounds.left, x);
        bounds.top = std::min(bounds.top, y);
        bounds.right = std::max(bounds.right, x);
        bounds.bottom = std::max(bounds.bottom, y);
    }
    return bounds;
}

void CSelection::BuildRegion() {
    QRegion region;
    for (const CSelectionShape& shape : m_arrShapes) {
        const QRegion part(shape.ToPolygon(), Qt::WindingFill);
        region = shape.m_nMode == kSelectionAdd ? region.united(part) : region.subtracted(part);
    }
    m_rgnSelection = region;
}

CRect CSelection::ShapesBounds() const {
    CRect bounds;
    for (const CSelectionShape& shape : m_arrShapes) {
        bounds = bounds.Union(shape.Bounds());
    }
    return bounds;
}

void CSelection::Append(CSelectionShape shape) {
    m_arrShapes.push_back(std::move(shape));
    BuildRegion();
}

void CSelection::Clear() {
    m_arrShapes.clear();
    m_nSelectionState = 0;
    m_rgnSelection = QRegion();
}

void CSelection::Restore(const CSelectionState& state) {
    static_cast<CSelectionState&>(*this) = state;
    BuildRegion();
}

void CSelection::Offset(double dx, double dy) {
    for (CSelectionShape& shape : m_arrShapes) {
        for (QPointF& p : shape.m_arrPoints) {
            p += QPointF(dx, dy);
        }
    }
}

void CSelection::Scale(QPoint origin, int newWidth, int oldWidth, int newHeight, int oldHeight) {
    const bool scaleX = newWidth > 0 && oldWidth > 0;
    const bool scaleY = newHeight > 0 && oldHeight > 0;
    for (CSelectionShape& shape : m_arrShapes) {
        for (QPointF& p : shape.m_arrPoints) {
            // Multiplied before divided, so that whole distances stay whole.
            if (scaleX) {
                p.setX(origin.x() + (p.x() - origin.x()) * newWidth / oldWidth);
            }
            if (scaleY) {
                p.setY(origin.y() + (p.y() - origin.y()) * newHeight / oldHeight);
            }
        }
    }
}
