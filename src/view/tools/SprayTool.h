#pragma once

#include "view/tools/PaintStroke.h"

// The spray: while a button is held (state ToolSpraying) dots of the button's colour land
// around the cursor on every tick of a 1 ms timer (id 2 for the left button, 3 for the right),
// so that it keeps spraying while the mouse stands still, and on every move.
class CSprayTool : public CFreehandTool {
public:
    static constexpr int kLeftTimer = 2;
    static constexpr int kRightTimer = 3;

    void OnPress(CToolEvent& ev) override { Begin(ev, kLeftTimer); }
    void OnRightPress(CToolEvent& ev) override { Begin(ev, kRightTimer); }
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override { End(ev); }
    void OnRightRelease(CToolEvent& ev) override { End(ev); }
    void OnTimer(CToolEvent& ev, int id) override;
    void Deactivate(CPictorraView& view) override;

private:
    void Begin(CToolEvent& ev, int timer);
    void End(CToolEvent& ev);
    // One puff around the stroke's point with the colour of the running timer.
    void Puff(CToolEvent& ev);
    void StopTimer(CPictorraView& view);

    int m_nTimer = 0;  // the running timer's id, 0 when none
};
