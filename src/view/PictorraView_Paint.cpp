// Painting the view: the composed picture of the damaged area, then the grid, the selection
// outlines and the tool's overlays drawn over it.
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "platform/Bitmap.h"
#include "ui/ToolOptions.h"
#include "view/PictorraView.h"
#include "view/RegionOutline.h"
#include "view/ScreenCompose.h"
#include "view/ViewFrame.h"
#include "view/ZoomSteps.h"

namespace {

// Outlines stay visible on any picture: a white line under a black dashed one.
void DrawOutlinePair(QPainter& painter, const std::function<void()>& draw, int width = 1) {
    painter.setBrush(Qt::NoBrush);
    QPen white(Qt::white, width);
    white.setCosmetic(true);
    painter.setPen(white);
    draw();
    QPen black(Qt::black, width);
    black.setCosmetic(true);
    black.setDashPattern({4.0, 4.0});
    painter.setPen(black);
    draw();
}

bool IsScissorState(int tool) {
    return tool >= ToolScissor && tool <= ToolScissorEditAnchor;
}

}  // namespace

void CPictorraView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect update = event->rect();
    const QColor face = palette().color(QPalette::Window);
    const QRect canvas = m_doc.LayerCount() > 0 ? CanvasOnScreen() : QRect();
    const QRect shown = update & canvas & viewport()->rect();

    // The window's background around the picture.
    QRegion margins(update);
    margins -= QRegion(shown);
    for (const QRect& r : margins) {
        painter.fillRect(r, face);
    }
    m_rcLastComposed = QRect();
    if (!shown.isEmpty() && Bitmap::IsAcceptableSize(shown.width(), shown.height())) {
        Bitmap& buffer = ScreenBuffer(shown.size());
        ComposeScreenArea(buffer, shown.topLeft(), Mapping(),
                          QPoint(int(m_fOriginX), int(m_fOriginY)),
                          ImagesToShow(m_doc, ShownLayerNumber()));
        const QImage opaque(buffer.Bits(), shown.width(), shown.height(), buffer.Stride(),
                            QImage::Format_RGB32);
        painter.drawImage(shown.topLeft(), opaque);
        m_rcLastComposed = shown;
    }
    if (canvas.isEmpty()) {
        return;
    }
    painter.setClipRect(update);
    PaintGrid(painter, update & canvas);
    PaintSelection(painter, update);
    if (CTool* tool = CurrentToolObject()) {
        CToolPaint paint{*this, m_doc, Options(), CurrentTool()};
        painter.save();
        tool->PaintOverlay(painter, paint);
        painter.restore();
    }
    if ((m_doc.m_bAltHeld || m_doc.m_bShiftDown) && m_doc.m_bSelection) {
        ShowSelectionSizeStatus();
    }
}

void CPictorraView::ShowSelectionSizeStatus() {
    const CRect& r = m_doc.m_rcSelection;
    SetStatusText(
        QString::asprintf("X: %.3d Y: %.3d [%d, %d]", r.left, r.top, r.Width(), r.Height()));
}

void CPictorraView::PaintGrid(QPainter& painter, const QRect& area) {
    const int spacing = GridSpacing(m_fZoom);
    if (!Options().m_bGrid || spacing == 0 || area.isEmpty()) {
        return;
    }
    const QRect canvas = CanvasOnScreen();
    const ScreenMapping map = Mapping();
    const double step = spacing * map.zoom;
    std::vector<QLine> lines;
    // Lines at every spacing-th image pixel boundary, from the image's origin on, over the
    // image only; those outside the area are skipped.
    auto firstIndex = [step](int from, int origin) {
        return std::max(0.0, std::ceil((from - origin) / step));
    };
    for (double k = firstIndex(std::max(area.left(), canvas.left()), map.originX);; ++k) {
        const int x = int(std::floor(k * step)) + map.originX;
        if (x > area.right() || x > canvas.right()) {
            break;
        }
        lines.emplace_back(x, area.top(), x, area.bottom());
    }
    for (double k = firstIndex(std::max(area.top(), canvas.top()), map.originY);; ++k) {
        const int y = int(std::floor(k * step)) + map.originY;
        if (y > area.bottom() || y > canvas.bottom()) {
            break;
        }
        lines.emplace_back(area.left(), y, area.right(), y);
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLines(lines.data(), int(lines.size()));
}

const std::vector<QLine>& CPictorraView::SelectionOutline() {
    if (m_Selection.m_rgnSelection != m_rgnOutlineOf) {
        m_rgnOutlineOf = m_Selection.m_rgnSelection;
        m_outline = RegionOutline(m_rgnOutlineOf);
    }
    return m_outline;
}

void CPictorraView::PaintSelection(QPainter& painter, const QRect& update) {
    const int tool = CurrentTool();
    const ScreenMapping map = Mapping();
    auto toClientX = [&](double x) { return int(std::floor(x * map.zoom)) + map.originX; };
    auto toClientY = [&](double y) { return int(std::floor(y * map.zoom)) + map.originY; };
    // The window rectangle of an image rectangle, its right and bottom edges on the last
    // pixels inside.
    auto frameOf = [&](const CRect& r) {
        return QRect(QPoint(toClientX(r.left), toClientY(r.top)),
                     QPoint(toClientX(r.right) - 1, toClientY(r.bottom) - 1));
    };
    const bool region = !m_Selection.m_rgnSelection.isEmpty();

    if (m_doc.m_bSelection && !region && !m_doc.m_rcSelection.IsEmpty()) {
        // A selection rectangle being dragged.
        const QRect r = frameOf(m_doc.m_rcSelection);
        if (tool == ToolEllipseSelect) {
            DrawOutlinePair(painter, [&] { painter.drawEllipse(r); });
        } else {
            DrawOutlinePair(painter, [&] { painter.drawRect(r); });
        }
    }
    if ((m_doc.m_bSelection || region) && !m_rcCombine.IsEmpty() &&
        (tool == ToolHueSelectMove || tool == ToolRectCombine || tool == ToolEllipseCombine)) {
        const QRect r = frameOf(m_rcCombine);
        if (tool == ToolEllipseCombine) {
            DrawOutlinePair(painter, [&] { painter.drawEllipse(r); });
        } else {
            DrawOutlinePair(painter, [&] { painter.drawRect(r); });
        }
    }
    if (region) {
        const QRect visible = update.adjusted(-1, -1, 1, 1);
        std::vector<QLine> lines;
        for (const QLine& l : SelectionOutline()) {
            const QLine c(toClientX(l.x1()), toClientY(l.y1()), toClientX(l.x2()),
                          toClientY(l.y2()));
            const QRect box = QRect(c.p1(), c.p2()).normalized();
            if (box.intersects(visible)) {
                lines.push_back(c);
            }
        }
        const QRect bounds = m_Selection.m_rgnSelection.boundingRect();
        const QRect around = frameOf(CRect::FromQRect(bounds)).adjusted(-1, -1, 1, 1);
        DrawOutlinePair(painter, [&] {
            painter.drawLines(lines.data(), int(lines.size()));
            painter.drawRect(around);
        });
    }
    if (!m_arrPathPoints.empty()) {
        QPolygon polyline;
        polyline.reserve(qsizetype(m_arrPathPoints.size()));
        for (const QPoint& p : m_arrPathPoints) {
            polyline.append(QPoint(toClientX(p.x()), toClientY(p.y())));
        }
        DrawOutlinePair(
            painter, [&] { painter.drawPolyline(polyline); }, 2);
        if (IsScissorState(tool)) {
            painter.setPen(QPen(Qt::black, 2));
            painter.setBrush(Qt::black);
            for (int index : m_arrAnchors) {
                if (index >= 0 && size_t(index) < m_arrPathPoints.size()) {
                    painter.drawEllipse(polyline[index], 2, 2);
                }
            }
        }
    }
}
