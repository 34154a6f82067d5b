#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "document/DocumentHost.h"
#include "document/FileInfo.h"
#include "document/LayerFrame.h"
#include "document/Selection.h"
#include "platform/Bitmap.h"
#include "platform/Rect.h"

// One open picture: an ordered stack of layers, the active layer, the two cached composites
// of the visible layers below and above the active one (so that the picture is shown as three
// images), the lifted selection fragment and the file the picture came from. The document
// knows no windows; it tells them what changed through its host.
class CPictorraDoc {
public:
    // The sides a New picture may have.
    static constexpr int kMaxNewSide = 32768;

    // host may be null: the document then keeps its own headless host.
    explicit CPictorraDoc(CDocumentHost* host = nullptr);
    ~CPictorraDoc();
    CPictorraDoc(const CPictorraDoc&) = delete;
    CPictorraDoc& operator=(const CPictorraDoc&) = delete;

    CDocumentHost& Host() { return *m_pHost; }

    // --- New, open, save -------------------------------------------------------------
    // The model step of New: a width x height opaque white picture whose first layer is made
    // at the first frame activation. Refuses (with a message) a side of 0, one above
    // kMaxNewSide, or a picture the machine cannot hold.
    bool OnNewDocument(int width, int height);
    // Opens a raster or layered file chosen by its lower-cased extension.
    bool OnOpenDocument(const QString& path);
    // Writes the picture to path (format by extension), then takes the file's name as title.
    bool OnSaveDocument(const QString& path);
    // Writes the picture to path without touching title or modified flag.
    bool SaveImageFile(const QString& path);

    // --- Layer stack ------------------------------------------------------------------
    int LayerCount() const { return int(m_arrLayers.size()); }
    // Layer by 1-based number; null outside 1..count.
    CLayerFrame* Layer(int number) const;
    int ActiveLayerNumber() const { return *m_pActiveLayerNumber; }
    CLayerFrame* ActiveLayer() const { return Layer(ActiveLayerNumber()); }
    // The size of the composed picture: the largest width by the largest height.
    QSize ImageSize() const;

    // Recomputes both caches (when anything they show changed) and tells the view to repaint.
    void RebuildLayerCaches();
    // Forgets what the caches show, so that the next rebuild recomputes them.
    void InvalidateLayerCaches();
    // The picture as saved: below-cache, the active layer (whatever its visibility, with a
    // lifted fragment put back in place) at its offset with its opacity, above-cache; on
    // transparent or on opaque white. Caller owns it; null when the memory runs out.
    std::unique_ptr<Bitmap> ComposeImage(bool transparent);
    // layer's pixels as the window shows them and every save writes them: its own bitmap, or,
    // for the active layer while a selection is lifted, a copy in *holder with the fragment
    // drawn back where it is shown (stretched into m_rcSelection, blended over the layer, as
    // dropping it would leave it). The document itself is not changed. Null when that copy
    // cannot be had.
    const Bitmap* LayerPixelsAsShown(const CLayerFrame& layer,
                                     std::unique_ptr<Bitmap>* holder) const;
    // Where the lifted fragment is shown, in image pixels: m_rcSelection, into which it is
    // stretched (its own size at the origin while the rectangle is empty).
    QRect FragmentRect() const;

    CLayerFrame* InsertLayer(int number, std::unique_ptr<Bitmap> bitmap);
    CLayerFrame* AddEmptyLayer();
    CLayerFrame* AddEmptyLayerOfSize(int width, int height);
    CLayerFrame* DuplicateLayer();
    void DeleteLayer();
    void MoveLayer(int fromNumber, int gap);
    void SetActiveLayer(int number);
    void FlattenLayers();
    // Gives layer new pixels (keeping m_pActiveBitmap right when it is the active layer) and
    // returns the old ones.
    std::unique_ptr<Bitmap> SetLayerBitmap(CLayerFrame* layer, std::unique_ptr<Bitmap> bitmap);
    void SetLayerVisible(CLayerFrame* layer, bool visible);
    void SetLayerOpacity(CLayerFrame* layer, int percent);

    void OnFrameActivated();
    void OnFrameDeactivated();
    void OnCloseDocument();

    // --- Undo history (PictorraDoc_Undo.cpp) ---------------------------------------------
    // Records the active layer (pixels, position, fragment, selection) before a change. Every
    // command and tool calls it just before it changes pixels, offsets or the selection.
    void PushUndoState();
    // For changes previewed before they are accepted (an effect's live preview, the text
    // tool, moving a lifted fragment): Save keeps copies of the active layer and the fragment,
    // Restore puts copies of them back, Commit records them as the entry of the change (and
    // does nothing when no copies are pending).
    void SavePendingUndo();
    void RestorePendingUndo();
    void CommitPendingUndo();
    // Undo (Ctrl+Z, Alt+Backspace) and Redo (Ctrl+Y) on the active layer.
    void UndoLastEdit();
    void RedoLastEdit();
    // The enable rules of Undo and Redo: the active layer's undo (redo) list is not empty.
    bool CanUndo() const;
    bool CanRedo() const;
    // A selection exists, or the hue selection tool holds one.
    bool IsSelectionPresent() const;

    // --- Selection (PictorraDoc_Selection.cpp) -------------------------------------------
    // The outline: the view's when it has one, else the document's own.
    CSelection& Selection();
    const CSelection& Selection() const;
    // Recomputes the outline's region from its shapes.
    void BuildSelectionRegion();
    // The union of the shapes' bounding boxes clipped to the active layer; empty without shapes.
    CRect GetSelectionBounds() const;
    // Restricts the outline to the active layer (strips beyond its edges are cut out) and
    // sets m_rcSelection to GetSelectionBounds.
    void ClipSelectionToLayer();
    // Cuts the selected pixels out of the active layer into m_pFragment, of the size of the
    // selection's bounds, transparent where the outline does not reach. False (the selection
    // dropped) when the selection and the layer do not meet.
    bool LiftSelection();
    // As LiftSelection, leaving the layer's pixels where they are.
    bool CopySelectionToFragment();
    // True when a fragment exists or the selection could be lifted now.
    bool LiftSelectionIfNeeded();
    // Puts the fragment back (drawn into m_rcSelection) and ends the selection.
    void DropSelection();
    // Puts the fragment back and keeps the selection.
    void MergeFragment();
    // Ends the selection without touching pixels; m_rcSelection stays.
    void ClearSelection();
    // Clears every fragment pixel outside the outline: painting into a lifted selection stays
    // inside its shape.
    void ClipFragmentToSelection();
    // A rectangle selection of rect (image pixels), as the rectangle tool leaves one.
    void SelectRectangle(const CRect& rect);
    // Ends the text tool's typing (the view's text tool does the work).
    void FinishTextEntry();

    // --- The effect frame (PictorraDoc_Effects.cpp; the flows are effects/EffectFrame.h) ---
    // Before an effect: ends the text tool's typing and records a change a tool left pending
    // (a moved fragment), so that the entries stay in the order of the changes.
    void BeginEffect();
    // Lifts the selection when one is present and not lifted yet. The lift changes the layer,
    // so the state before it is recorded first; that entry is then the effect's own (see
    // RecordEffectUndo). True when the effect has its target: a fragment, or the active layer
    // when nothing is selected. False when a selection is present but could not be lifted
    // (it lies outside the layer, or the memory ran out): there is nothing to change.
    bool LiftSelectionForEffect();
    // The bitmap an effect changes: the lifted fragment, else the active layer's bitmap.
    Bitmap* ResolveEffectTarget();
    // Records the state before an effect changes its target: nothing more when the lift just
    // made by LiftSelectionForEffect recorded it, else PushUndoState.
    void RecordEffectUndo();
    // After an effect: the caches rebuilt, the view and the layers panel repainted.
    void FinishEffect();
    // Forgets the pending copies without recording them.
    void DiscardPendingUndo();
    // An effect cancelled after LiftSelectionForEffect lifted and recorded: the lift's entry
    // gives the picture and the selection back and goes, and the modified flag becomes
    // modified again. (The redo list, which the entry emptied, stays empty.)
    void TakeBackEffectLift(bool modified);

    // --- Clipboard (PictorraDoc_Clipboard.cpp) -------------------------------------------
    // The fragment as shown (stretched to m_rcSelection) on the clipboard, as a standard
    // image over opaque white and in the program's own format with its transparency.
    bool PutFragmentOnClipboard();

    // --- Edit and Selections commands (PictorraDoc_Selection.cpp, _Clipboard.cpp) --------
    // Each does nothing while its enable rule says no.
    void SelectAll();
    void DeleteSelection();  // Delete: the selected pixels become transparent
    void Crop();             // the active layer becomes the selected area over white
    void Copy();
    void Cut();
    // A new layer directly above the active one holding the clipboard's picture.
    void Paste();
    void InvertSelection();
    // The outline (and a lifted fragment) by one pixel, or the active layer when nothing is
    // selected.
    void ShiftSelection(int dx, int dy);
    void ShiftLeft() { ShiftSelection(-1, 0); }
    void ShiftRight() { ShiftSelection(1, 0); }
    void ShiftUp() { ShiftSelection(0, -1); }
    void ShiftDown() { ShiftSelection(0, 1); }
    // One edge of the selection one pixel outwards (Increase) or inwards (Decrease).
    void IncreaseUp();
    void IncreaseDown();
    void IncreaseLeft();
    void IncreaseRight();
    void DecreaseUp();
    void DecreaseDown();
    void DecreaseLeft();
    void DecreaseRight();
    // Swaps the primary and secondary colours.
    void ExchangeColor();
    // The enable rules.
    bool CanDelete() const { return IsSelectionPresent(); }
    bool CanCrop() const { return IsSelectionPresent(); }
    bool CanCopy() const { return IsSelectionPresent(); }
    bool CanCut() const { return IsSelectionPresent(); }
    // The clipboard offers a standard image or the program's own format.
    bool CanPaste() const;
    bool CanInvertSelection() const { return IsSelectionPresent() && !m_pFragment; }

    // --- The framework's part of a document --------------------------------------------
    const QString& GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title);
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    // The path Save writes to (empty for a picture never saved).
    const QString& GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path) { m_strPathName = path; }
    bool IsShown() const { return !m_bFirstLayerPending && !m_bLayersLoaded && LayerCount() > 0; }

    // Tells the host what changed.
    void Notify(unsigned changes) { m_pHost->Changed(*this, changes); }

    // --- Data ----------------------------------------------------------------------------
    Bitmap* m_pActiveBitmap = nullptr;    // the active layer's bitmap (owned by the layer)
    std::unique_ptr<Bitmap> m_pFragment;  // the lifted selection fragment
    bool m_bSelection = false;            // a selection exists
    CRect m_rcSelection;                  // bounding rectangle of the selection, image pixels
    CRect m_rcSelectionPrev;              // the rectangle before the last move
    QString m_strText;                    // text being typed with the text tool
    std::unique_ptr<Bitmap> m_pAboveCache;
    std::unique_ptr<Bitmap> m_pBelowCache;
    int* m_pActiveLayerNumber;  // 1-based; the integer belongs to the layers panel
    std::vector<std::unique_ptr<CLayerFrame>> m_arrLayers;  // index 0 is the bottom layer
    int m_nSavedActiveLayer = 1;
    int m_bFirstLayerPending = 0;
    int m_bLayersLoaded = 0;
    std::array<int, 8> m_arrVanGoghStart{5, 2, 25, -25, 25, 2, 1, 1};
    float m_fEmbossStartA = 0.0f, m_fEmbossStartB = 0.0f, m_fEmbossStartC = 1.0f;
    int m_nEmbossStartD = 0;
    float m_fCubismStartA = 10.0f, m_fCubismStartB = 2.5f;
    CFileInfo m_FileInfo;
    int m_bUntitled = 0;
    int m_nBlurSize = 3;
    int m_nMosaicSize = 2;
    QString m_strFilePath;
    // Modifier keys as the view last saw them; the selection tools read them.
    int m_bCtrlDown = 0;
    int m_bShiftDown = 0;
    int m_bAltDown = 0;
    int m_bAltHeld = 0;
    // The entry of the coming effect was recorded before its lift (LiftSelectionForEffect).
    bool m_bEffectLiftRecorded = false;
    // SavePendingUndo's copies of the active layer and of the fragment.
    std::unique_ptr<Bitmap> m_pPendingUndo;
    std::unique_ptr<Bitmap> m_pPendingFragment;

private:
    friend class CDocumentFiles;

    // What a cache was last composed from; equal keys mean equal pixels.
    struct CacheKey {
        struct Entry {
            uint64_t serial;
            int opacity, x, y;
            bool operator==(const Entry&) const = default;
        };
        int width = -1, height = -1;
        std::vector<Entry> layers;
        bool operator==(const CacheKey&) const = default;
    };
    CacheKey MakeCacheKey(int firstIndex, int lastIndex, QSize size) const;
    void ComposeCache(std::unique_ptr<Bitmap>& cache, CacheKey& key, int firstIndex, int lastIndex,
                      QSize size);
    void Renumber();
    // Replaces the stack by the picture held while the first layer is pending.
    void MakeFirstLayer();
    // Undo and Redo: the entry taken from one list, the current state appended to the other.
    void StepHistory(bool undo);
    // Everything an undo entry records of layer but its pixels and the fragment.
    CUndoItem DescribeState(const CLayerFrame& layer) const;
    // Puts back what an entry recorded of the selection.
    void RestoreSelection(const CUndoItem& item);
    // The layer whose history the pending copies belong to, or null when it is gone.
    CLayerFrame* PendingUndoLayer() const;
    // Lifting and copying the selection into m_pFragment; cut: leave a hole in the layer.
    // Without forTools no untouched copy is kept (the fragment is thrown away soon after).
    bool MakeFragment(bool cut, bool forTools = true);
    // A selection tool in its moving state goes back to its drawing state.
    void EndSelectionMove();
    // m_pFragment at the size of m_rcSelection, as the view shows it (null without one).
    std::unique_ptr<Bitmap> FragmentAsShown() const;
    // Draws the fragment back into the active layer at m_rcSelection and destroys it.
    void PutFragmentBack();
    // Draws the fragment into pixels, the active layer's bitmap or a copy of it, where it is
    // shown: stretched into m_rcSelection and blended over.
    void DrawFragmentOnto(Bitmap& pixels, const CLayerFrame& layer) const;
    // picture on the clipboard in both formats; false when there is no clipboard.
    bool PutPictureOnClipboard(const Bitmap& picture);
    // Copy's and Crop's fragment: a copy of the selected pixels that goes away after use.
    bool CopySelectionForClipboard() { return MakeFragment(false, false); }
    // The edge change of the Increase and Decrease commands: the selection's width (height)
    // becomes newSize, then everything moves by (dx, dy).
    void ResizeSelection(bool horizontal, int newSize, int dx, int dy);

    CSelection m_ownSelection;  // the outline while no view keeps one

    std::unique_ptr<CDocumentHost> m_pOwnHost;
    CDocumentHost* m_pHost;
    std::unique_ptr<Bitmap> m_pPendingPicture;  // the picture of a new or opened document
    CacheKey m_belowKey, m_aboveKey;
    uint64_t m_nPendingUndoHistory = 0;  // CLayerHistory::Id() of the pending copies' layer
    QString m_strTitle;
    QString m_strPathName;
    bool m_bModified = false;
};
