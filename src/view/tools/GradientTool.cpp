#include "view/tools/GradientTool.h"

#include <QPainter>

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "paint/Gradient.h"
#include "panels/SelectTwoColorsDlg.h"
#include "ui/ToolOptions.h"
#include "view/PictorraView.h"
#include "view/tools/ToolTarget.h"

namespace {

constexpr int kMarkHalf = 3;  // the marks are 6 x 6 squares around the points

QPoint LayerOffset(const CPictorraDoc& doc) {
    const CLayerFrame* layer = doc.ActiveLayer();
    return layer ? QPoint(layer->m_nOffsetX, layer->m_nOffsetY) : QPoint();
}

// rgb's red, green and blue with alpha x percent / 100.
uint32_t WithAlpha(uint32_t rgb, int alpha, int percent) {
    return (rgb & 0x00FFFFFFu) | (uint32_t(alpha * percent / 100) << 24);
}

}  // namespace

bool ApplyGradient(CPictorraDoc& doc, QPoint start, QPoint end, uint32_t color1, uint32_t color2,
                   bool circular) {
    if (start == end || !doc.ActiveLayer()) {
        return false;
    }
    doc.BeginEffect();
    if (!doc.LiftSelectionForEffect()) {
        return false;
    }
    doc.RecordEffectUndo();
    const CToolTarget target = ToolTargetOf(doc);
    if (!target) {
        return false;
    }
    const QPoint a = target.FromImage(start);
    const QPoint b = target.FromImage(end);
    if (circular) {
        CircularGradient(*target.bitmap, a, b, color1, color2);
    } else {
        LinearGradient(*target.bitmap, a, b, color1, color2);
    }
    FinishPainting(doc, target);
    doc.FinishEffect();
    return true;
}

void CGradientTool::OnPress(CToolEvent& ev) {
    if (ev.tool != ToolGradient && ev.tool != ToolGradientDragging) {
        return;
    }
    ev.view.SetCurrentTool(ToolGradientDragging);
    ev.view.m_ptDragStart = ev.view.m_ptDragEnd = ev.layer;
    m_bDragging = true;
    ev.view.InvalidateClientRect(MarksOnScreen(ev.view));
}

void CGradientTool::OnMove(CToolEvent& ev) {
    if (!m_bDragging || ev.rightButton) {
        return;
    }
    const QRect before = MarksOnScreen(ev.view);
    ev.view.m_ptDragEnd = ev.layer;
    ev.view.InvalidateClientRect(before | MarksOnScreen(ev.view));
}

void CGradientTool::OnRelease(CToolEvent& ev) {
    if (!m_bDragging) {
        return;
    }
    m_bDragging = false;
    CPictorraView& view = ev.view;
    view.InvalidateClientRect(MarksOnScreen(view));
    view.m_ptDragEnd = ev.layer;
    view.SetCurrentTool(ToolGradient);
    const CDocumentHost& host = ev.doc.Host();
    const int percent = host.Transparency();
    const QPoint offset = LayerOffset(ev.doc);
    ApplyGradient(ev.doc, view.m_ptDragStart + offset, view.m_ptDragEnd + offset,
                  WithAlpha(host.PrimaryColor(), view.m_nGradientAlpha1, percent),
                  WithAlpha(host.SecondaryColor(), view.m_nGradientAlpha2, percent),
                  ev.options.m_nGradientKind == 1);
}

void CGradientTool::OnRightRelease(CToolEvent& ev) {
    if (ev.tool != ToolGradient || m_bDragging) {
        return;
    }
    CPictorraView& view = ev.view;
    CDocumentHost& host = ev.doc.Host();
    // The preview shows the gradient over the top-left of the active layer.
    QImage background;
    if (ev.doc.m_pActiveBitmap) {
        if (auto corner = ev.doc.m_pActiveBitmap->Copy(QRect(
                0, 0, CSelectTwoColorsDlg::kPreviewSize, CSelectTwoColorsDlg::kPreviewSize))) {
            background = corner->ToImage();
        }
    }
    CSelectTwoColorsDlg dialog(
        background, WithAlpha(host.PrimaryColor(), view.m_nGradientAlpha1, 100),
        WithAlpha(host.SecondaryColor(), view.m_nGradientAlpha2, 100), &view);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // The colours become opaque; the gradient keeps the alphas chosen.
    view.m_nGradientAlpha1 = int(ArgbAlpha(dialog.Color1()));
    view.m_nGradientAlpha2 = int(ArgbAlpha(dialog.Color2()));
    host.SetColors(dialog.Color1() | 0xFF000000u, dialog.Color2() | 0xFF000000u);
}

QRect CGradientTool::MarksOnScreen(const CPictorraView& view) const {
    const QPoint a = view.LayerToClient(view.m_ptDragStart);
    const QPoint b = view.LayerToClient(view.m_ptDragEnd);
    return QRect(a, b).normalized().adjusted(-kMarkHalf - 2, -kMarkHalf - 2, kMarkHalf + 2,
                                             kMarkHalf + 2);
}

void CGradientTool::PaintOverlay(QPainter& painter, CToolPaint& paint) {
    if (!m_bDragging) {
        return;
    }
    const QPoint a = paint.view.LayerToClient(paint.view.m_ptDragStart);
    const QPoint b = paint.view.LayerToClient(paint.view.m_ptDragEnd);
    // Inverted, so that the marks show on any picture.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(a - QPoint(kMarkHalf, kMarkHalf), QSize(2 * kMarkHalf, 2 * kMarkHalf)));
    painter.drawRect(QRect(b - QPoint(kMarkHalf, kMarkHalf), QSize(2 * kMarkHalf, 2 * kMarkHalf)));
    painter.drawLine(a, b);
}

void CGradientTool::Deactivate(CPictorraView& view) {
    if (m_bDragging) {
        m_bDragging = false;
        view.InvalidateImage();
    }
}
