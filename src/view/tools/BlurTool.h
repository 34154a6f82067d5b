#pragma once

#include "view/tools/PaintStroke.h"

// The blur brush: the footprint chosen in the options (m_nBlurToolSize) softened with the
// Blur dialog's last kernel size at the press and at every point the left button moves to.
class CBlurTool : public CFreehandTool {
public:
    void OnPress(CToolEvent& ev) override;
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override;

private:
    // Blurs around ev's point.
    void Dab(CToolEvent& ev);
};
