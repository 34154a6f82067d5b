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
    CToolTarget target = LiftForPainting(ev.doc);
    if (!target || !target.bitmap->Rect().contains(target.FromImage(ev.image))) {
        return;  // a click beside the fragment or the layer has nothing to fill
    }
    ev.doc.PushUndoState();
    target = ToolTargetOf(ev.doc);
    FillArea(*target.bitmap, target.FromImage(ev.image), ev.firstColor, !ev.rightButton,
             ev.doc.Host().Transparency());
    FinishPainting(ev.doc, target);
    ev.view.InvalidateImageRect(target.ToImage(target.bitmap->Rect()));
}
