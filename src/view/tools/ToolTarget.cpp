#include "view/tools/ToolTarget.h"

#include <cmath>

#include "document/PictorraDoc.h"

QPoint CToolTarget::FromImage(QPoint image) const {
    const QPoint p = image - origin;
    if (scaleX == 1.0 && scaleY == 1.0) {
        return p;
    }
    return {int(std::floor(p.x() * scaleX)), int(std::floor(p.y() * scaleY))};
}

QRect CToolTarget::ToImage(const QRect& targetRect) const {
    if (scaleX == 1.0 && scaleY == 1.0) {
        return targetRect.translated(origin);
    }
    const int left = int(std::floor(targetRect.left() / scaleX));
    const int top = int(std::floor(targetRect.top() / scaleY));
    const int right = int(std::ceil((targetRect.right() + 1) / scaleX));
    const int bottom = int(std::ceil((targetRect.bottom() + 1) / scaleY));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).translated(origin);
}

CToolTarget ToolTargetOf(const CPictorraDoc& doc) {
    CToolTarget target;
    if (doc.m_pFragment) {
        target.bitmap = doc.m_pFragment.get();
        target.fragment = true;
        const CRect& shown = doc.m_rcSelection;
        target.origin = QPoint(shown.left, shown.top);
        if (!shown.IsEmpty()) {
            target.scaleX = double(target.bitmap->Width()) / shown.Width();
            target.scaleY = double(target.bitmap->Height()) / shown.Height();
        }
    } else if (const CLayerFrame* layer = doc.ActiveLayer(); layer && doc.m_pActiveBitmap) {
        target.bitmap = doc.m_pActiveBitmap;
        target.origin = QPoint(layer->m_nOffsetX, layer->m_nOffsetY);
    }
    return target;
}

CToolTarget LiftForPainting(CPictorraDoc& doc) {
    if (!doc.m_pFragment && doc.IsSelectionPresent()) {
        doc.LiftSelectionIfNeeded();
    }
    return ToolTargetOf(doc);
}

void FinishPainting(CPictorraDoc& doc, const CToolTarget& target) {
    if (target.fragment) {
        doc.ClipFragmentToSelection();
    }
    doc.Notify(kChangeThumbnails | (target.fragment ? kChangeSelection : 0u));
}
