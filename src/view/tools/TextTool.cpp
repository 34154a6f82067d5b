#include "view/tools/TextTool.h"

#include <QPainter>
#include <cmath>

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "paint/TextDraw.h"
#include "view/PictorraView.h"
#include "view/tools/ToolTarget.h"

namespace {

constexpr int kCaretWidth = 3;

bool IsTextState(int tool) {
    return tool == ToolText || tool == ToolTextTyping;
}

}  // namespace

void CTextTool::OnPress(CToolEvent& ev) {
    if (!IsTextState(ev.tool)) {
        return;
    }
    CPictorraView& view = ev.view;
    LiftForPainting(ev.doc);
    // A press while typing ends that line first: it becomes its own step.
    FinishTextEntry(view);
    ev.doc.SavePendingUndo();
    const int height = MeasureText(view.m_TextFont, QStringLiteral("0")).height();
    view.m_ptText = QPoint(ev.image.x(), ev.image.y() - height / 2);
    view.SetCurrentTool(ToolTextTyping);
    m_bTyping = true;
    m_rcDrawn = QRect();
    view.InvalidateClientRect(CaretOnScreen(view).adjusted(-1, -1, 1, 1));
}

bool CTextTool::OnKeyDown(CToolEvent& ev, int key) {
    if (!m_bTyping || ev.tool != ToolTextTyping) {
        return false;
    }
    CPictorraView& view = ev.view;
    QString& text = ev.doc.m_strText;
    if (key == Qt::Key_Backspace) {
        if (!text.isEmpty()) {
            text.chop(1);
            Redraw(view);
        }
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        const int lineHeight = MeasureText(view.m_TextFont, text).height();
        const QRect caret = CaretOnScreen(view);
        const QPoint at = view.m_ptText;
        FinishTextEntry(view);
        ev.doc.SavePendingUndo();
        view.m_ptText = QPoint(at.x(), at.y() + lineHeight);
        view.SetCurrentTool(ToolTextTyping);
        m_bTyping = true;
        m_rcDrawn = QRect();
        view.InvalidateClientRect((caret | CaretOnScreen(view)).adjusted(-1, -1, 1, 1));
        return true;
    }
    return false;
}

void CTextTool::OnChar(CToolEvent& ev, const QString& typed) {
    if (!m_bTyping || ev.tool != ToolTextTyping) {
        return;
    }
    QString& text = ev.doc.m_strText;
    bool changed = false;
    for (const QChar c : typed) {
        // The characters of the one-byte range only; control characters do nothing.
        if (c.unicode() >= 32 && c.unicode() <= 255) {
            text.append(c);
            changed = true;
        }
    }
    if (changed) {
        Redraw(ev.view);
    }
}

void CTextTool::Redraw(CPictorraView& view) {
    CPictorraDoc& doc = view.GetDocument();
    doc.RestorePendingUndo();
    const CToolTarget target = ToolTargetOf(doc);
    if (!target) {
        return;
    }
    const QRect caretBefore = CaretOnScreen(view);
    const QRect drawn =
        DrawTextLine(*target.bitmap, view.m_TextFont, target.FromImage(view.m_ptText),
                     doc.m_strText, doc.Host().PrimaryColor());
    FinishPainting(doc, target);
    // The line is on the picture now: a window closed before the typing ends asks to save it.
    doc.SetModifiedFlag();
    doc.RebuildLayerCaches();
    const QRect drawnImage = drawn.isEmpty() ? QRect() : target.ToImage(drawn);
    view.InvalidateImageRect(m_rcDrawn | drawnImage);
    view.InvalidateClientRect((caretBefore | CaretOnScreen(view)).adjusted(-1, -1, 1, 1));
    m_rcDrawn = drawnImage;
}

void CTextTool::FinishTextEntry(CPictorraView& view) {
    CPictorraDoc& doc = view.GetDocument();
    const bool typed = !doc.m_strText.isEmpty();
    const QRect caret = CaretOnScreen(view);
    doc.m_strText.clear();
    if (view.CurrentTool() == ToolTextTyping) {
        view.SetCurrentTool(ToolText);
    }
    if (!m_bTyping) {
        return;
    }
    m_bTyping = false;
    m_rcDrawn = QRect();
    // A line typed and then erased again changed nothing: no step for it.
    if (typed) {
        doc.CommitPendingUndo();
    } else {
        doc.DiscardPendingUndo();
    }
    view.InvalidateClientRect(caret.adjusted(-1, -1, 1, 1));
}

void CTextTool::MoveTextEntry(CPictorraView& view, int dx, int dy) {
    view.m_ptText += QPoint(dx, dy);
    if (m_bTyping) {
        Redraw(view);
    }
}

void CTextTool::OnColorsChanged(CPictorraView& view) {
    if (m_bTyping) {
        Redraw(view);
    }
}

QRect CTextTool::CaretOnScreen(const CPictorraView& view) const {
    if (!m_bTyping) {
        return {};
    }
    const QString& text = view.GetDocument().m_strText;
    const QFont& font = view.m_TextFont;
    const QString q = QStringLiteral("q");
    // Measured with a letter after it, so that blanks at the end count.
    const int typedWidth =
        text.isEmpty() ? 0 : MeasureText(font, text + q).width() - MeasureText(font, q).width();
    const int height = MeasureText(font, text + q).height();
    const ScreenMapping map = view.Mapping();
    const QPoint at = view.m_ptText;
    const int x = int(std::floor((at.x() + typedWidth) * map.zoom)) + map.originX;
    const int y = int(std::floor(at.y() * map.zoom)) + map.originY;
    return QRect(x, y, kCaretWidth, std::max(1, int(std::lround(height * map.zoom))));
}

void CTextTool::PaintOverlay(QPainter& painter, CToolPaint& paint) {
    const QRect caret = CaretOnScreen(paint.view);
    if (caret.isEmpty() || paint.tool != ToolTextTyping) {
        return;
    }
    // Inverted, so that the caret shows on any picture.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(caret, Qt::white);
}

void CTextTool::OnViewChanged(CPictorraView& view) {
    if (m_bTyping) {
        view.InvalidateImage();
    }
}

void CTextTool::Deactivate(CPictorraView& view) {
    FinishTextEntry(view);
}
