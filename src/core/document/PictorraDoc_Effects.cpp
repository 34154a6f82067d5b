// The steps every effect of the Effects menu shares: lifting the selection, choosing the
// bitmap to change, recording the undo entry and showing the result. The flows that combine
// them are in effects/EffectFrame.cpp.
#include "document/PictorraDoc.h"

void CPictorraDoc::BeginEffect() {
    FinishTextEntry();
    CommitPendingUndo();
    m_bEffectLiftRecorded = false;
}

bool CPictorraDoc::LiftSelectionForEffect() {
    if (m_pFragment) {
        return true;
    }
    if (!IsSelectionPresent()) {
        return m_pActiveBitmap != nullptr;
    }
    // Recorded as it is before the lift, without a fragment: Undo then gives back the picture
    // exactly as it was before the command (a pending copy committed after the lift would
    // record the lifted fragment over the uncut layer, doubling its pixels).
    PushUndoState();
    m_bEffectLiftRecorded = true;
    const bool outlined = Selection().m_nSelectionState != 0;
    // A selection that does not meet the layer is dropped by the lift: the effect then has
    // nothing to change, rather than the whole layer.
    return LiftSelectionIfNeeded() || !outlined;
}

Bitmap* CPictorraDoc::ResolveEffectTarget() {
    return m_pFragment ? m_pFragment.get() : m_pActiveBitmap;
}

void CPictorraDoc::RecordEffectUndo() {
    if (m_bEffectLiftRecorded) {
        m_bEffectLiftRecorded = false;
        return;
    }
    // Also with a fragment lifted earlier: an effect applied to it is a step of its own, so
    // that Undo takes back one effect at a time.
    PushUndoState();
}

void CPictorraDoc::FinishEffect() {
    // The caches leave the active layer out, so changing it or the fragment in place needs
    // no recomposition; the rebuild only tells the view to repaint.
    RebuildLayerCaches();
    Notify(kChangeThumbnails | (m_pFragment ? kChangeSelection : 0u));
}

void CPictorraDoc::DiscardPendingUndo() {
    m_pPendingUndo.reset();
    m_pPendingFragment.reset();
}

void CPictorraDoc::TakeBackEffectLift(bool modified) {
    UndoLastEdit();
    if (CLayerFrame* layer = ActiveLayer()) {
        layer->m_History.ClearRedo();
    }
    m_bEffectLiftRecorded = false;
    SetModifiedFlag(modified);
}
