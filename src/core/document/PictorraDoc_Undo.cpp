// The document's undo history: recording the active layer before a change, the pending
// copies of previewed changes, and Undo and Redo.
#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "platform/Draw.h"

namespace {

// The hue selection tool, which holds a selection even when the selection state is 0.

const QString kMsgNoMemoryToRecord =
    QStringLiteral("There is not enough memory to keep this step for Undo.");
const QString kMsgNoMemoryToUndo = QStringLiteral("There is not enough memory to undo this step.");

}  // namespace

bool CPictorraDoc::IsSelectionPresent() const {
    return Selection().m_nSelectionState != 0 || m_pHost->CurrentTool() == ToolHueSelectMove;
}

bool CPictorraDoc::CanUndo() const {
    const CLayerFrame* layer = ActiveLayer();
    return layer && layer->m_History.CanUndo();
}

bool CPictorraDoc::CanRedo() const {
    const CLayerFrame* layer = ActiveLayer();
    return layer && layer->m_History.CanRedo();
}

CUndoItem CPictorraDoc::DescribeState(const CLayerFrame& layer) const {
    CUndoItem item;
    item.m_nOffsetX = layer.m_nOffsetX;
    item.m_nOffsetY = layer.m_nOffsetY;
    item.m_Selection = Selection();
    item.m_rcSelection = m_rcSelection;
    item.m_bSelectionPresent = IsSelectionPresent() ? 1 : 0;
    return item;
}

void CPictorraDoc::RestoreSelection(const CUndoItem& item) {
    CSelection& selection = Selection();
    selection.Restore(item.m_Selection);
    // The rectangle as recorded, not the region's box: a lifted fragment is drawn at it, and
    // the two differ where shapes were cut out near the edges.
    m_rcSelection = item.m_rcSelection;
    if (item.m_bSelectionPresent) {
        m_bSelection = true;
        // Presence recorded with state 0 came from the hue selection tool.
        if (selection.m_nSelectionState == 0) {
            selection.m_nSelectionState = ToolHueSelectMove;
        }
    } else {
        m_bSelection = false;
        selection.m_nSelectionState = 0;
    }
    // The tools that scale or move the fragment start again from the one given back.
    selection.m_pFragmentOriginal = m_pFragment ? m_pFragment->Clone() : nullptr;
}

void CPictorraDoc::PushUndoState() {
    CLayerFrame* layer = ActiveLayer();
    if (!layer || !m_pActiveBitmap) {
        return;
    }
    CUndoItem item = DescribeState(*layer);
    item.m_pBitmap = CopyForHistory(*m_pActiveBitmap);
    if (m_pFragment) {
        item.m_pFragment = CopyForHistory(*m_pFragment);
    }
    SetModifiedFlag();
    if (!item.m_pBitmap || (m_pFragment && !item.m_pFragment)) {
        m_pHost->ShowMessage(kMsgNoMemoryToRecord, MessageIcon::Warning);
        return;
    }
    layer->m_History.ClearRedo();
    layer->m_History.AppendUndo(std::move(item), m_pHost->HistoryLimit());
}

CLayerFrame* CPictorraDoc::PendingUndoLayer() const {
    for (const auto& layer : m_arrLayers) {
        if (layer->m_History.Id() == m_nPendingUndoHistory) {
            return layer.get();
        }
    }
    return nullptr;
}

void CPictorraDoc::SavePendingUndo() {
    m_pPendingUndo.reset();
    m_pPendingFragment.reset();
    const CLayerFrame* layer = ActiveLayer();
    if (!layer || !m_pActiveBitmap) {
        return;
    }
    m_pPendingUndo = CopyForHistory(*m_pActiveBitmap);
    if (m_pFragment) {
        m_pPendingFragment = CopyForHistory(*m_pFragment);
    }
    m_nPendingUndoHistory = layer->m_History.Id();
    if (!m_pPendingUndo || (m_pFragment && !m_pPendingFragment)) {
        m_pPendingUndo.reset();
        m_pPendingFragment.reset();
        m_pHost->ShowMessage(kMsgNoMemoryToRecord, MessageIcon::Warning);
    }
}

void CPictorraDoc::RestorePendingUndo() {
    // The copies go back to the layer they were taken from, even if another one became active.
    CLayerFrame* layer = m_pPendingUndo ? PendingUndoLayer() : nullptr;
    if (!layer) {
        return;
    }
    auto pixels = m_pPendingUndo->Clone();
    // The fragment's copy is drawn back into it; a fragment gone or resized meanwhile is
    // replaced by a copy.
    const bool replaceFragment =
        m_pPendingFragment && (!m_pFragment || m_pFragment->Size() != m_pPendingFragment->Size());
    auto fragment = replaceFragment ? m_pPendingFragment->Clone() : nullptr;
    if (!pixels || (replaceFragment && !fragment)) {
        m_pHost->ShowMessage(kMsgNoMemoryToUndo, MessageIcon::Warning);
        return;
    }
    SetLayerBitmap(layer, std::move(pixels));
    if (fragment) {
        m_pFragment = std::move(fragment);
    } else if (m_pPendingFragment) {
        DrawBitmap(*m_pFragment, *m_pPendingFragment, 0, 0, 1.0f, CompositeMode::SourceCopy);
    }
}

void CPictorraDoc::CommitPendingUndo() {
    if (!m_pPendingUndo) {
        return;
    }
    auto before = std::move(m_pPendingUndo);
    m_pPendingFragment.reset();
    CLayerFrame* layer = PendingUndoLayer();
    if (!layer) {
        return;
    }
    CUndoItem item = DescribeState(*layer);
    item.m_pBitmap = std::move(before);
    if (m_pFragment) {
        item.m_pFragment = CopyForHistory(*m_pFragment);
        if (!item.m_pFragment) {
            m_pHost->ShowMessage(kMsgNoMemoryToRecord, MessageIcon::Warning);
            return;
        }
    }
    // A change accepted after an Undo is a new edit like any other: what was undone can no
    // longer be redone on top of it.
    layer->m_History.ClearRedo();
    layer->m_History.AppendUndo(std::move(item), m_pHost->HistoryLimit());
    SetModifiedFlag();
}

void CPictorraDoc::UndoLastEdit() {
    StepHistory(true);
}

void CPictorraDoc::RedoLastEdit() {
    StepHistory(false);
}

void CPictorraDoc::StepHistory(bool undo) {
    CLayerFrame* layer = ActiveLayer();
    if (!layer) {
        return;
    }
    // Text being typed is ended first, as one step of its own, which Undo then takes back;
    // typing afterwards starts a new line and never brings back what was undone.
    FinishTextEntry();
    // What is still pending is a moved or new selection waiting to be recorded when it is
    // put down. That entry would describe the picture as it is now, so it is dropped: recorded
    // after this step it would bring back the state before the step (a layer with a hole
    // where the selection was lifted) and hide the steps of the redo list.
    DiscardPendingUndo();
    if (!(undo ? layer->m_History.CanUndo() : layer->m_History.CanRedo())) {
        return;
    }
    // The entry first: when its pixels cannot be had, nothing has changed yet.
    std::optional<CUndoItem> entry =
        undo ? layer->m_History.TakeUndo() : layer->m_History.TakeRedo();
    if (!entry) {
        m_pHost->ShowMessage(kMsgNoMemoryToUndo, MessageIcon::Warning);
        return;
    }
    // The current state goes to the other list as it is: the layer's own bitmap and the
    // fragment itself, no copies.
    CUndoItem current = DescribeState(*layer);
    current.m_pBitmap = SetLayerBitmap(layer, std::move(entry->m_pBitmap));
    current.m_pFragment = std::move(m_pFragment);
    if (undo) {
        layer->m_History.AppendRedo(std::move(current));
    } else {
        layer->m_History.AppendUndo(std::move(current), m_pHost->HistoryLimit());
    }

    layer->m_nOffsetX = entry->m_nOffsetX;
    layer->m_nOffsetY = entry->m_nOffsetY;
    m_pFragment = std::move(entry->m_pFragment);
    RestoreSelection(*entry);
    m_pActiveBitmap = layer->m_pBitmap.get();

    // The layer may have changed its size: the caches follow the largest layer.
    InvalidateLayerCaches();
    RebuildLayerCaches();
    SetModifiedFlag();
    Notify(kChangeImageSize | kChangeSelection | kChangeThumbnails);
}
