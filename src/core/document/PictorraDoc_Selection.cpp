// The selection of a document: the outline's region and bounds, lifting the selected pixels
// into the fragment and putting them back, and the commands of the Edit and Selections menus
// that need no clipboard.
#include <QTransform>
#include <algorithm>

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "platform/Compose.h"
#include "platform/Draw.h"

namespace {

// Tool states of the selection and text tools (the main frame's current tool).
// Each selection tool's moving state and the drawing state it returns to.
constexpr std::pair<int, int> kMoveToDrawState[] = {
    {ToolRectSelectMove, ToolRectSelect},       {ToolLassoMove, ToolLasso},
    {ToolEllipseSelectMove, ToolEllipseSelect}, {ToolHueSelectMove, ToolHueSelect},
    {ToolFreeLassoMove, ToolFreeLasso},         {ToolScissorMove, ToolScissor}};

const QString kMsgNoMemoryToLift =
    QStringLiteral("There is not enough memory to lift the selection.");
const QString kMsgNoMemoryToCrop =
    QStringLiteral("There is not enough memory to crop the picture.");

QRect InLayer(const CRect& rect, const CLayerFrame& layer) {
    return rect.ToQRect().translated(-layer.m_nOffsetX, -layer.m_nOffsetY);
}

}  // namespace

// --- The outline ----------------------------------------------------------------------------

CSelection& CPictorraDoc::Selection() {
    CSelection* selection = m_pHost->SelectionOf(*this);
    return selection ? *selection : m_ownSelection;
}

const CSelection& CPictorraDoc::Selection() const {
    const CSelection* selection = m_pHost->SelectionOf(*this);
    return selection ? *selection : m_ownSelection;
}

void CPictorraDoc::BuildSelectionRegion() {
    Selection().BuildRegion();
}

CRect CPictorraDoc::GetSelectionBounds() const {
    const CSelection& selection = Selection();
    if (selection.m_arrShapes.empty()) {
        return {};
    }
    const CRect bounds = selection.ShapesBounds();
    const CLayerFrame* layer = ActiveLayer();
    return layer ? bounds.Intersect(layer->Rect()) : bounds;
}

void CPictorraDoc::ClipSelectionToLayer() {
    const CLayerFrame* layer = ActiveLayer();
    if (!layer) {
        return;
    }
    CSelection& selection = Selection();
    selection.BuildRegion();
    const CRect l = layer->Rect();
    const CRect b = selection.ShapesBounds();
    // A strip is cut out only on the sides the outline itself crosses, so that clipping an
    // outline clipped before adds nothing.
    const CRect reach = CRect::FromQRect(selection.m_rgnSelection.boundingRect());
    if (!reach.IsEmpty()) {
        const CRect strips[] = {
            reach.left < l.left ? CRect(b.left, b.top, l.left, b.bottom) : CRect(),
            reach.right > l.right ? CRect(l.right, b.top, b.right, b.bottom) : CRect(),
            reach.top < l.top ? CRect(b.left, b.top, b.right, l.top) : CRect(),
            reach.bottom > l.bottom ? CRect(b.left, l.bottom, b.right, b.bottom) : CRect(),
        };
        for (const CRect& strip : strips) {
            if (!strip.IsEmpty()) {
                selection.m_arrShapes.push_back(CSelectionShape::Rectangle(strip, kSelectionCut));
            }
        }
    }
    selection.BuildRegion();
    m_rcSelection = GetSelectionBounds();
    Notify(kChangeSelection);
}

// --- Lifting and dropping -------------------------------------------------------------------

bool CPictorraDoc::MakeFragment(bool cut, bool forTools) {
    CLayerFrame* layer = ActiveLayer();
    if (!layer || !m_pActiveBitmap) {
        return false;
    }
    if (m_pFragment) {
        return true;  // lifted before: the pixels are in the fragment already
    }
    ClipSelectionToLayer();
    const CRect bounds = GetSelectionBounds();
    if (bounds.IsEmpty()) {
        DropSelection();
        return false;
    }
    CSelection& selection = Selection();
    auto fragment = m_pActiveBitmap->Copy(InLayer(bounds, *layer));
    if (fragment) {
        // Pixels of the box that the outline leaves out are not selected.
        FillOutsideRegion(*fragment,
                          selection.m_rgnSelection.translated(-bounds.left, -bounds.top));
    }
    auto original = fragment && forTools ? fragment->Clone() : nullptr;
    if (!fragment || (forTools && !original)) {
        m_pHost->ShowMessage(kMsgNoMemoryToLift, MessageIcon::Warning);
        return false;
    }
    if (cut) {
        FillRegion(*m_pActiveBitmap,
                   selection.m_rgnSelection.translated(-layer->m_nOffsetX, -layer->m_nOffsetY),
                   0x00000000);
    }
    m_pFragment = std::move(fragment);
    selection.m_pFragmentOriginal = std::move(original);
    RebuildLayerCaches();
    Notify(kChangeSelection | (cut ? kChangeThumbnails : 0u));
    return true;
}

bool CPictorraDoc::LiftSelection() {
    return MakeFragment(true);
}

bool CPictorraDoc::CopySelectionToFragment() {
    return MakeFragment(false);
}

bool CPictorraDoc::LiftSelectionIfNeeded() {
    if (m_pFragment) {
        return true;
    }
    return Selection().m_nSelectionState != 0 && LiftSelection();
}

void CPictorraDoc::EndSelectionMove() {
    const int tool = m_pHost->CurrentTool();
    for (const auto& [moving, drawing] : kMoveToDrawState) {
        if (tool == moving) {
            m_pHost->SetCurrentTool(drawing);
        }
    }
}

std::unique_ptr<Bitmap> CPictorraDoc::FragmentAsShown() const {
    if (!m_pFragment) {
        return nullptr;
    }
    if (m_rcSelection.IsEmpty() || m_rcSelection.ToQRect().size() == m_pFragment->Size()) {
        return m_pFragment->Clone();
    }
    auto shown = Bitmap::Create(m_rcSelection.Width(), m_rcSelection.Height());
    if (shown) {
        DrawBitmapRect(*shown, shown->Rect(), *m_pFragment, m_pFragment->Rect(), 1.0f,
                       CompositeMode::SourceCopy);
    }
    return shown;
}

void CPictorraDoc::DrawFragmentOnto(Bitmap& pixels, const CLayerFrame& layer) const {
    if (!m_pFragment) {
        return;
    }
    // Blended over the layer, stretched into the rectangle it is shown in (resizing the
    // selection scales the floating pixels).
    DrawBitmapRect(pixels, FragmentRect().translated(-layer.m_nOffsetX, -layer.m_nOffsetY),
                   *m_pFragment, m_pFragment->Rect());
}

QRect CPictorraDoc::FragmentRect() const {
    if (!m_pFragment) {
        return {};
    }
    return m_rcSelection.IsEmpty() ? QRect(QPoint(), m_pFragment->Size()) : m_rcSelection.ToQRect();
}

void CPictorraDoc::PutFragmentBack() {
    if (!m_pFragment) {
        return;
    }
    const CLayerFrame* layer = ActiveLayer();
    if (layer && m_pActiveBitmap) {
        DrawFragmentOnto(*m_pActiveBitmap, *layer);
    }
    m_pFragment.reset();
    Selection().m_pFragmentOriginal.reset();
}

const Bitmap* CPictorraDoc::LayerPixelsAsShown(const CLayerFrame& layer,
                                               std::unique_ptr<Bitmap>* holder) const {
    if (!m_pFragment || &layer != ActiveLayer()) {
        return layer.m_pBitmap.get();
    }
    *holder = layer.m_pBitmap->Clone();
    if (*holder) {
        DrawFragmentOnto(**holder, layer);
    }
    return holder->get();
}

void CPictorraDoc::DropSelection() {
    if (m_pFragment) {
        CommitPendingUndo();
        PutFragmentBack();
        m_bSelection = false;
        Notify(kChangeThumbnails);
    }
    FinishTextEntry();
    RebuildLayerCaches();
    ClearSelection();
    m_rcSelection = CRect();
    m_bSelection = false;
    Notify(kChangeSelection);
}

void CPictorraDoc::MergeFragment() {
    if (m_pFragment) {
        CommitPendingUndo();
        PutFragmentBack();
        RebuildLayerCaches();
        Notify(kChangeThumbnails);
    }
    Notify(kChangeSelection);
}

void CPictorraDoc::ClearSelection() {
    m_bSelection = false;
    CSelection& selection = Selection();
    selection.Clear();
    if (!m_pFragment) {
        selection.m_pFragmentOriginal.reset();
    }
    // With the selection gone there is nothing left to move.
    EndSelectionMove();
    Notify(kChangeSelection);
}

void CPictorraDoc::ClipFragmentToSelection() {
    if (!m_pFragment || m_rcSelection.IsEmpty()) {
        return;
    }
    // The outline in the fragment's own pixels (the fragment may be shown stretched).
    QTransform toFragment;
    toFragment.scale(double(m_pFragment->Width()) / m_rcSelection.Width(),
                     double(m_pFragment->Height()) / m_rcSelection.Height());
    toFragment.translate(-m_rcSelection.left, -m_rcSelection.top);
    FillOutsideRegion(*m_pFragment, toFragment.map(Selection().m_rgnSelection));
    Notify(kChangeSelection);
}

void CPictorraDoc::SelectRectangle(const CRect& rect) {
    DropSelection();
    CSelection& selection = Selection();
    selection.Append(CSelectionShape::Rectangle(rect));
    selection.m_nSelectionState = CSelection::kStateRectangle;
    m_rcSelection = rect;
    m_bSelection = true;
    Notify(kChangeSelection);
}

void CPictorraDoc::FinishTextEntry() {
    m_pHost->FinishTextEntry(*this);
}

// --- Commands -------------------------------------------------------------------------------

void CPictorraDoc::SelectAll() {
    const CLayerFrame* layer = ActiveLayer();
    if (!layer) {
        return;
    }
    // Recorded before the old selection is dropped, so that Undo gives it back (lifted pixels
    // included); a moved fragment's pending entry goes first.
    CommitPendingUndo();
    PushUndoState();
    DropSelection();
    CSelection& selection = Selection();
    selection.Append(CSelectionShape::Rectangle(layer->Rect()));
    selection.m_nSelectionState = CSelection::kStateRectangle;
    m_rcSelection = CRect::FromQRect(selection.m_rgnSelection.boundingRect());
    m_bSelection = true;
    Notify(kChangeSelection);
}

void CPictorraDoc::DeleteSelection() {
    const CLayerFrame* layer = ActiveLayer();
    if (!CanDelete() || !layer || !m_pActiveBitmap) {
        return;
    }
    CSelection& selection = Selection();
    m_rcSelectionPrev = m_rcSelection;
    CommitPendingUndo();
    const bool lifted = m_pFragment != nullptr;
    const bool outlined = selection.m_nSelectionState != 0;
    // The pixels deleted stay within Undo's reach.
    if (lifted || outlined) {
        PushUndoState();
    }
    EndSelectionMove();
    m_bSelection = false;
    if (lifted) {
        // The lifted pixels are gone; the hole they left stays.
        m_pFragment.reset();
        selection.m_pFragmentOriginal.reset();
        DropSelection();
    } else if (outlined) {
        selection.BuildRegion();
        FillRegion(*m_pActiveBitmap,
                   selection.m_rgnSelection.translated(-layer->m_nOffsetX, -layer->m_nOffsetY),
                   0x00000000);
        DropSelection();
    }
    RebuildLayerCaches();
    Notify(kChangeThumbnails | kChangeSelection);
}

void CPictorraDoc::Crop() {
    CLayerFrame* layer = ActiveLayer();
    if (!CanCrop() || !layer || !m_pActiveBitmap) {
        return;
    }
    CSelection& selection = Selection();
    const bool lifted = m_pFragment != nullptr;
    if (!lifted && (selection.m_nSelectionState == 0 || GetSelectionBounds().IsEmpty())) {
        // Nothing of the layer is selected: the selection ends, the picture stays.
        if (selection.m_nSelectionState != 0) {
            DropSelection();
        }
        Notify(kChangeCaches);
        return;
    }
    // A moved fragment's pending entry first, so that the entries stay in order.
    CommitPendingUndo();
    PushUndoState();
    if (!lifted && !CopySelectionForClipboard()) {
        return;
    }
    auto shown = FragmentAsShown();
    auto cropped = shown ? Bitmap::Create(shown->Width(), shown->Height()) : nullptr;
    if (!cropped) {
        if (!lifted) {
            m_pFragment.reset();
            selection.m_pFragmentOriginal.reset();
        }
        m_pHost->ShowMessage(kMsgNoMemoryToCrop, MessageIcon::Warning);
        return;
    }
    const ComposeSource source{shown.get(), 0, 0, 1.0f};
    ComposeOver(*cropped, std::span(&source, 1), 0xFFFFFFFF);
    // Crop leaves the selected area on the clipboard too.
    PutFragmentOnClipboard();
    // The layer's pixels are replaced whole, so the fragment need not go back first.
    m_pFragment.reset();
    selection.m_pFragmentOriginal.reset();
    DropSelection();
    SetLayerBitmap(layer, std::move(cropped));
    RebuildLayerCaches();
    Notify(kChangeImageSize | kChangeThumbnails);
}

void CPictorraDoc::InvertSelection() {
    const CLayerFrame* layer = ActiveLayer();
    if (!CanInvertSelection() || !layer) {
        return;
    }
    const CRect all = layer->Rect();
    auto& shapes = Selection().m_arrShapes;
    const auto earlier = std::find_if(shapes.begin(), shapes.end(), [&](const auto& shape) {
        return shape.m_nMode == kSelectionAdd && shape.Bounds() == all;
    });
    // The whole layer added earlier means this undoes an earlier inversion.
    const bool undoing = earlier != shapes.end();
    if (undoing) {
        shapes.erase(earlier);
    }
    for (CSelectionShape& shape : shapes) {
        shape.m_nMode = shape.m_nMode == kSelectionAdd ? kSelectionCut : kSelectionAdd;
    }
    if (!undoing) {
        shapes.insert(shapes.begin(), CSelectionShape::Rectangle(all));
    }
    BuildSelectionRegion();
    m_rcSelection = GetSelectionBounds();
    Notify(kChangeSelection);
}

void CPictorraDoc::ShiftSelection(int dx, int dy) {
    CLayerFrame* layer = ActiveLayer();
    if (!layer) {
        return;
    }
    m_rcSelectionPrev = m_rcSelection;
    PushUndoState();
    if (IsSelectionPresent()) {
        // A lifted fragment is drawn at m_rcSelection and so moves with it.
        m_rcSelection = m_rcSelection.Offset(dx, dy);
        m_rcSelectionPrev = m_rcSelection;
        CSelection& selection = Selection();
        selection.Offset(dx, dy);
        selection.BuildRegion();
        Notify(kChangeSelection);
    } else {
        layer->m_nOffsetX += dx;
        layer->m_nOffsetY += dy;
    }
    RebuildLayerCaches();
    const int tool = m_pHost->CurrentTool();
    if (tool == ToolText || tool == ToolTextTyping) {
        m_pHost->MoveTextEntry(*this, dx, dy);
    }
}

void CPictorraDoc::ResizeSelection(bool horizontal, int newSize, int dx, int dy) {
    CSelection& selection = Selection();
    const QPoint origin(m_rcSelection.left, m_rcSelection.top);
    if (horizontal) {
        selection.Scale(origin, newSize, m_rcSelection.Width(), 0, 0);
        m_rcSelection.right = m_rcSelection.left + newSize;
    } else {
        selection.Scale(origin, 0, 0, newSize, m_rcSelection.Height());
        m_rcSelection.bottom = m_rcSelection.top + newSize;
    }
    selection.Offset(dx, dy);
    selection.BuildRegion();
    // The rectangle follows the edge that moved, exactly: a lifted fragment is shown in it.
    m_rcSelection = m_rcSelection.Offset(dx, dy);
    Notify(kChangeSelection);
}

void CPictorraDoc::IncreaseUp() {
    const int h = m_rcSelection.Height();
    if (Selection().m_nSelectionState != 0 && h > 0 && m_rcSelection.top >= 1) {
        ResizeSelection(false, h + 1, 0, -1);
    }
}

void CPictorraDoc::IncreaseDown() {
    const int h = m_rcSelection.Height();
    if (Selection().m_nSelectionState != 0 && h > 0 && m_pActiveBitmap &&
        m_rcSelection.bottom < m_pActiveBitmap->Height()) {
        ResizeSelection(false, h + 1, 0, 0);
    }
}

void CPictorraDoc::IncreaseLeft() {
    const int w = m_rcSelection.Width();
    if (Selection().m_nSelectionState != 0 && w > 0 && m_rcSelection.left >= 1) {
        ResizeSelection(true, w + 1, -1, 0);
    }
}

void CPictorraDoc::IncreaseRight() {
    const int w = m_rcSelection.Width();
    if (Selection().m_nSelectionState != 0 && w > 0 && m_pActiveBitmap &&
        m_rcSelection.right < m_pActiveBitmap->Width()) {
        ResizeSelection(true, w + 1, 0, 0);
    }
}

void CPictorraDoc::DecreaseUp() {
    m_bAltDown = 0;
    const int h = m_rcSelection.Height();
    if (Selection().m_nSelectionState != 0 && h >= 2) {
        ResizeSelection(false, h - 1, 0, 1);
    }
}

void CPictorraDoc::DecreaseDown() {
    m_bAltDown = 0;
    const int h = m_rcSelection.Height();
    if (Selection().m_nSelectionState != 0 && h >= 2) {
        ResizeSelection(false, h - 1, 0, 0);
    }
}

void CPictorraDoc::DecreaseLeft() {
    m_bAltDown = 0;
    const int w = m_rcSelection.Width();
    if (Selection().m_nSelectionState != 0 && w >= 2) {
        ResizeSelection(true, w - 1, 0, 0);
    }
}

void CPictorraDoc::DecreaseRight() {
    m_bAltDown = 0;
    const int w = m_rcSelection.Width();
    if (Selection().m_nSelectionState != 0 && w >= 2) {
        ResizeSelection(true, w - 1, 1, 0);
    }
}

void CPictorraDoc::ExchangeColor() {
    m_pHost->SetColors(m_pHost->SecondaryColor(), m_pHost->PrimaryColor());
}
