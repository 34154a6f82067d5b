#pragma once

#include "paint/LiveWire.h"
#include "view/tools/SelectionTool.h"

class Bitmap;

// The scissor (states 36 to 42): an outline clicked anchor by anchor whose segments follow the
// edges of the active layer (CLiveWire); the last point follows the mouse, a click within 2
// pixels of the first point closes the outline, and Enter makes it the selection (with Shift
// or Alt: added to it or cut out of it). The right button takes back the last segment. In a
// closed outline an anchor, or any point of it, can be dragged: the segments on both sides
// follow the edges again.
class CScissorTool : public CSelectionTool {
public:
    // A click at p closes an outline starting at first: |dx| <= 2 and |dy| <= 2.
    static bool ClosesOutline(QPoint first, QPoint p);

    void OnPress(CToolEvent& ev) override;
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override;
    void OnRightPress(CToolEvent& ev) override;
    bool OnKeyDown(CToolEvent& ev, int key) override;
    void Deactivate(CPictorraView& view) override;

private:
    // A new outline starts at the image point p.
    void Start(CToolEvent& ev, int drawingState);
    // The edge path between two image points over the active layer, both ends included.
    std::vector<QPoint> SearchPath(CToolEvent& ev, QPoint from, QPoint to);
    void AddAnchor(CToolEvent& ev);
    // A press in a closed outline: the anchor (or point, made an anchor) to drag.
    void PickAnchor(CToolEvent& ev);
    // The release after dragging an anchor: its two segments are searched again.
    void ReshapeAroundAnchor(CToolEvent& ev);
    void Apply(CToolEvent& ev);

    CLiveWire m_LiveWire;
    bool m_bMapStale = true;  // the edge map is built again for the next search
    const Bitmap* m_pMapOf = nullptr;
    uint64_t m_nMapSerial = 0;
};
