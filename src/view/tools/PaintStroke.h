#pragma once

#include <QPoint>
#include <QRect>

#include "view/Tool.h"

class QPainter;

class Bitmap;
class CPictorraDoc;
class CPictorraView;

// The bitmap a painting tool writes into: the lifted fragment when there is one, otherwise
// the active layer's bitmap, and where its pixel (0, 0) lies in the picture.
struct CPaintTarget {
    Bitmap* bitmap = nullptr;
    QPoint origin;  // image position of the bitmap's pixel (0, 0)
    bool fragment = false;

    explicit operator bool() const { return bitmap != nullptr; }
    QPoint FromImage(QPoint image) const { return image - origin; }
    QRect ToImage(const QRect& rect) const { return rect.translated(origin); }
};

// The target as it is now. Tools look it up at every event rather than keeping it: Undo or
// Esc in the middle of a stroke may replace it.
CPaintTarget CurrentPaintTarget(CPictorraDoc& doc);

// Begins a change of pixels by a tool (a stroke, a shape, a fill): a change left pending (a
// moved fragment) is recorded first, so that the entries keep the order of the changes; then
// the state before this change is recorded, before the selection is lifted, so that Undo
// gives the picture back exactly as it was; then a present selection not lifted yet is lifted
// into the fragment. Returns the target to paint on (empty without an active layer).
CPaintTarget BeginPaintStroke(CPictorraDoc& doc);

// Ends it: the fragment is clipped to the selection's outline, so that the paint shows only
// inside it. The view's release rebuilds the caches and repaints the layers panel.
void EndPaintStroke(CPictorraDoc& doc);

// Repaints the window over rect, given in the target's pixels.
void InvalidateTargetRect(CPictorraView& view, const CPaintTarget& target, const QRect& rect);

// The common frame of the freehand tools: a stroke from a press to its release, with one
// button, painting on the current target from the last point to each new one.
class CFreehandTool : public CTool {
public:
    void Deactivate(CPictorraView& view) override;
    // The outline around the cursor (OutlineAt) follows the mouse.
    bool OnHover(CToolEvent& ev) override;
    void PaintOverlay(QPainter& painter, CToolPaint& paint) override;

protected:
    // Starts a stroke at ev's point (recording the undo entry and lifting the selection);
    // false when there is nothing to paint on or a stroke is in progress already.
    bool StartStroke(CToolEvent& ev);
    // Ends the stroke in progress, if any.
    void FinishStroke(CPictorraDoc& doc);
    // True while a stroke of ev's button is in progress.
    bool InStroke(const CToolEvent& ev) const {
        return m_bStroke && ev.rightButton == m_bRightStroke;
    }
    // ev's point in the current target's pixels.
    static QPoint TargetPoint(CToolEvent& ev) {
        return CurrentPaintTarget(ev.doc).FromImage(ev.image);
    }
    // Repaints rect, in the current target's pixels.
    static void Repaint(CToolEvent& ev, const QRect& rect) {
        InvalidateTargetRect(ev.view, CurrentPaintTarget(ev.doc), rect);
    }

    // The outline drawn around the cursor at the window point client, in window pixels, and
    // whether it is an ellipse; an empty rectangle for none.
    virtual QRect OutlineAt(CPictorraView& /*view*/, int /*tool*/, QPoint /*client*/) { return {}; }
    virtual bool OutlineIsEllipse(int /*tool*/) const { return false; }
    // Repaints where the outline was and where it goes for the cursor at ev's point.
    void FollowOutline(CToolEvent& ev);
    // The outline's corners for a cursor at the window pixel c: (c - before x zoom) to (c +
    // after x zoom), c being the window corner of the picture pixel under the cursor.
    static QRect OutlineRect(CPictorraView& view, QPoint client, int before, int after);

    bool m_bStroke = false;
    bool m_bRightStroke = false;
    QPoint m_ptLast;    // the stroke's last point, target pixels
    QRect m_rcOutline;  // where the outline was drawn last, window pixels
};

// True when ev's point lies on the active layer: presses elsewhere start no stroke.
bool PointOnActiveLayer(const CToolEvent& ev);
