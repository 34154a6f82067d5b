#pragma once

#include "view/tools/SelectionTool.h"

// The lasso (states 13 to 15, 22 and 23): a polygon clicked point by point, the last point
// following the mouse; a click within 2 pixels of the first point closes it. The right button
// takes back the last point. With Shift or Alt the polygon is added to the selection or cut
// out of it.
class CLassoTool : public CSelectionTool {
public:
    // A click at p closes a polygon starting at first: |dx| < 3 and |dy| < 3.
    static bool ClosesPolygon(QPoint first, QPoint p);

    void OnPress(CToolEvent& ev) override;
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override;
    void OnRightPress(CToolEvent& ev) override;
    void Deactivate(CPictorraView& view) override;
};
