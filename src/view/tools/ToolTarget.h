#pragma once

#include <QPoint>
#include <QRect>

class Bitmap;
class CPictorraDoc;

// The bitmap a painting tool changes: the lifted selection fragment when there is one, else
// the active layer's bitmap. Shared by the tools that paint (shapes, fill, text, the freehand
// tools).
struct CToolTarget {
    Bitmap* bitmap = nullptr;
    bool fragment = false;
    QPoint origin;  // image position of the bitmap's pixel (0, 0)
    // A fragment shown stretched (its selection was resized) has other pixels than the
    // picture: target pixels per image pixel.
    double scaleX = 1.0, scaleY = 1.0;

    explicit operator bool() const { return bitmap != nullptr; }
    // Image pixels to the target's pixels and back.
    QPoint FromImage(QPoint image) const;
    QRect ToImage(const QRect& targetRect) const;
};

// The target as things stand (no bitmap when the document has no active layer).
CToolTarget ToolTargetOf(const CPictorraDoc& doc);

// Before a tool paints: a selection that is not lifted yet is lifted, so that the painting
// goes into its fragment. Returns the target to paint into.
CToolTarget LiftForPainting(CPictorraDoc& doc);

// After a tool painted into target: what went into a fragment is cut to the selection's
// outline, and the windows hear that the layer's pixels changed (the layers panel's
// thumbnails). The view's release rebuilds the caches and repaints.
void FinishPainting(CPictorraDoc& doc, const CToolTarget& target);
