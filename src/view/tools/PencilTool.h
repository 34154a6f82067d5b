#pragma once

#include "view/tools/PaintStroke.h"

// The pencil: the tip chosen in the options (m_nPencilShape) dabbed along the mouse path with
// the button's colour, left or right.
class CPencilTool : public CFreehandTool {
public:
    void OnPress(CToolEvent& ev) override { Begin(ev); }
    void OnRightPress(CToolEvent& ev) override { Begin(ev); }
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override { End(ev); }
    void OnRightRelease(CToolEvent& ev) override { End(ev); }

private:
    void Begin(CToolEvent& ev);
    void End(CToolEvent& ev);
};
