#include "paint/ShapeDraw.h"

#include <QPainter>
#include <algorithm>

#include "platform/Draw.h"

int LineWidthFactor(int widthIndex) {
    static constexpr int kFactors[] = {1, 2, 3, 5};
    return kFactors[std::clamp(widthIndex, 0, 3)];
}

void PaintShape(QPainter& painter, ShapeKind kind, QPointF a, QPointF b, qreal penWidth,
                const QColor& pen, const QColor& fill) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen outline(pen, penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    if (kind == ShapeKind::Line) {
        // Both end pixels belong to the line: it reaches half a pixel beyond each end point.
        outline.setCapStyle(Qt::FlatCap);
        painter.setPen(outline);
        const QLineF line(a, b);
        if (line.length() == 0) {
            painter.drawLine(QLineF(a - QPointF(0.5, 0), a + QPointF(0.5, 0)));
            return;
        }
        const QPointF half = (line.p2() - line.p1()) / line.length() * 0.5;
        painter.drawLine(QLineF(line.p1() - half, line.p2() + half));
        return;
    }
    const QRectF box = QRectF(a, b).normalized();
    if (kind == ShapeKind::FilledRectangle || kind == ShapeKind::FilledEllipse) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        if (kind == ShapeKind::FilledRectangle) {
            painter.drawRect(box);
        } else {
            painter.drawEllipse(box);
        }
    }
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    if (kind == ShapeKind::Rectangle || kind == ShapeKind::FilledRectangle) {
        painter.drawRect(box);
    } else {
        painter.drawEllipse(box);
    }
}

QRect ShapeBounds(QPoint a, QPoint b, int penWidth) {
    const int grow = penWidth / 2 + 2;
    return QRect(a, b).normalized().adjusted(-grow, -grow, grow, grow);
}

QRect DrawShape(Bitmap& target, ShapeKind kind, QPoint a, QPoint b, int widthFactor,
                uint32_t penColor, uint32_t fillColor) {
    const QRect touched = ShapeBounds(a, b, widthFactor) & target.Rect();
    if (touched.isEmpty()) {
        return {};
    }
    BitmapPainter painter(target);
    painter.setClipRect(touched);
    PaintShape(painter, kind, a, b, widthFactor, QColor::fromRgba(penColor),
               QColor::fromRgba(fillColor));
    return touched;
}
