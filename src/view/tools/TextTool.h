#pragma once

#include <QRect>

#include "view/Tool.h"

// Text (tool states 10 and 11). A left press sets the insertion point (the middle of the
// font's height at the press) and starts typing (state 11); each typed character, and
// Backspace, draws the whole line again from the picture as it was before the line, in the
// primary colour with the view's text font. Enter ends the line as an undo step of its own
// and continues on the next line, below the height of the one before. Ending the typing any
// other way (a press elsewhere, another tool, a command) makes the line one undo step too.
// A colour chosen on the colour bar while typing redraws the line in it.
// While typing, a caret 3 pixels wide stands after the typed text.
class CTextTool : public CTool {
public:
    void OnPress(CToolEvent& ev) override;
    bool OnKeyDown(CToolEvent& ev, int key) override;
    void OnChar(CToolEvent& ev, const QString& text) override;
    void PaintOverlay(QPainter& painter, CToolPaint& paint) override;
    void OnViewChanged(CPictorraView& view) override;
    void Deactivate(CPictorraView& view) override;
    void FinishTextEntry(CPictorraView& view) override;
    void MoveTextEntry(CPictorraView& view, int dx, int dy) override;
    void OnColorsChanged(CPictorraView& view) override;

    bool IsTyping() const { return m_bTyping; }
    // The caret's window rectangle; empty while not typing.
    QRect CaretOnScreen(const CPictorraView& view) const;

private:
    // The target as it was before the line, the line drawn on it, the caret after it.
    void Redraw(CPictorraView& view);

    bool m_bTyping = false;
    QRect m_rcDrawn;  // image pixels the line's last drawing touched
};
