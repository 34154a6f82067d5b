#pragma once

#include "view/tools/SelectionTool.h"

// The free lasso (states 31 to 35): the polygon follows the mouse while the button is held
// and closes at the release. With Shift or Alt it is added to the selection or cut out of it.
class CFreeLassoTool : public CSelectionTool {
public:
    void OnPress(CToolEvent& ev) override;
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override;
    void Deactivate(CPictorraView& view) override;
};
