#pragma once

#include "view/tools/PaintStroke.h"

// The brush: soft round dabs of the size chosen in the options (m_nBrushSize) along the mouse
// path with the button's colour. Its outline follows the cursor instead of a mouse cursor.
class CBrushTool : public CFreehandTool {
public:
    void OnPress(CToolEvent& ev) override { Begin(ev); }
    void OnRightPress(CToolEvent& ev) override { Begin(ev); }
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override { End(ev); }
    void OnRightRelease(CToolEvent& ev) override { End(ev); }

protected:
    QRect OutlineAt(CPictorraView& view, int tool, QPoint client) override;
    bool OutlineIsEllipse(int) const override { return true; }

private:
    void Begin(CToolEvent& ev);
    void End(CToolEvent& ev);
};
