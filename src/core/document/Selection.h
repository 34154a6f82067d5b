#pragma once

#include <QRegion>
#include <memory>

#include "document/SelectionState.h"
#include "platform/Bitmap.h"
#include "platform/Rect.h"

// The selection of one picture as its view keeps it: the shapes and state that the undo
// history records, the region computed from the shapes, and the untouched copy of a lifted
// fragment that the tools scaling or moving it start from. The document reaches it through
// its host (CDocumentHost::SelectionOf); a document without a view keeps one of its own.
class CSelection : public CSelectionState {
public:
    // The states the selection tools give a selection they made.
    static constexpr int kStateRectangle = 8;  // also Select All
    static constexpr int kStateLasso = 15;
    static constexpr int kStateEllipse = 18;
    static constexpr int kStateHue = 20;
    static constexpr int kStateScissor = 40;

    // The outline in image pixels, always BuildRegion's result for m_arrShapes.
    QRegion m_rgnSelection;
    // The fragment as it was lifted.
    std::unique_ptr<Bitmap> m_pFragmentOriginal;

    // Recomputes m_rgnSelection: starting from nothing, each shape's polygon (winding fill)
    // is added (mode 1) or cut out (mode 0), in order.
    void BuildRegion();
    // The union of the shapes' bounding boxes (not clipped to anything); empty without shapes.
    CRect ShapesBounds() const;
    // Adds a shape at the end and rebuilds the region.
    void Append(CSelectionShape shape);
    // No shapes, an empty region, state 0.
    void Clear();
    // Takes the shapes and state of a recorded selection and rebuilds the region.
    void Restore(const CSelectionState& state);
    // Moves every vertex by (dx, dy). The region is not rebuilt.
    void Offset(double dx, double dy);
    // Scales every vertex's distance from origin by newWidth / oldWidth in x and newHeight /
    // oldHeight in y (a factor whose sizes are not positive leaves that direction alone). The
    // region is not rebuilt. Integer vertices on the old edges land exactly on the new ones.
    void Scale(QPoint origin, int newWidth, int oldWidth, int newHeight, int oldHeight);
};
