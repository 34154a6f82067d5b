#include "view/tools/FillTool.h"

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "paint/FillArea.h"
#include "view/PictorraView.h"
#include "view/tools/ToolTarget.h"

void CFillTool::Fill(CToolEvent& ev) {
    if (ev.tool != ToolFill) {
        return;
    }
    // Recorded before a present selection is lifted, so that Undo gives the picture back as
    // it was.
    CToolTarget target = ToolTargetOf(ev.doc);
    if (!target) {
        return;
    }
    ev.doc.PushUndoState();
    target = LiftForPainting(ev.doc);
    if (!target || !target.bitmap->Rect().contains(target.FromImage(ev.image))) {
        return;  // a click beside the fragment has nothing to fill
    }
    FillArea(*target.bitmap, target.FromImage(ev.image), ev.firstColor, !ev.rightButton,
             ev.doc.Host().Transparency());
    FinishPainting(ev.doc, target);
    ev.view.InvalidateImageRect(target.ToImage(target.bitmap->Rect()));
}
