#pragma once

#include "view/Tool.h"

// Fill (tool state 12): a press of either button fills the area of the clicked colour in the
// active layer or the lifted fragment (paint/FillArea.h). The left button blends the primary
// colour with the clicked colour by the colour bar's transparency; the right button fills
// with the plain secondary colour. The whole target becomes opaque.
class CFillTool : public CTool {
public:
    void OnPress(CToolEvent& ev) override { Fill(ev); }
    void OnRightPress(CToolEvent& ev) override { Fill(ev); }

private:
    void Fill(CToolEvent& ev);
};
