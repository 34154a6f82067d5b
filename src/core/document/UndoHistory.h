#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "document/SelectionState.h"
#include "platform/Bitmap.h"
#include "platform/Rect.h"

// One state of a layer, uncompressed: what an undo entry records and what Undo gives back.
struct CUndoItem {
    std::unique_ptr<Bitmap> m_pBitmap;  // the layer's pixels
    int m_nOffsetX = 0;
    int m_nOffsetY = 0;
    std::unique_ptr<Bitmap> m_pFragment;  // the lifted selection fragment, or null
    CSelectionState m_Selection;
    CRect m_rcSelection;
    int m_bSelectionPresent = 0;
};

// A copy of bitmap for an undo item. It goes into memory that compressed entries gave back
// when some of the right size is spare (fresh pages would cost several times the copy itself),
// its rows copied on all cores. Null when the memory cannot be had.
std::unique_ptr<Bitmap> CopyForHistory(const Bitmap& bitmap);

// The stored form of an item, shared between a history and the compression thread.
class CUndoEntry;

// A layer's undo and redo lists, oldest entry first in each.
//
// Entries join a list at once, in the order they are recorded, holding their pixels
// uncompressed; one program-wide compression thread then replaces the pixels by zlib streams,
// entry after entry in that same order, at below-normal priority. Each bitmap is pre-filtered
// (every byte minus the same channel of the pixel to its left, as PNG's "Sub" filter) and cut
// into bands of rows that are compressed on all cores as independent streams. Taking an entry
// that is still uncompressed costs nothing; one whose compression is running stops it. So
// Undo right after an edit never waits for the compression of that edit.
//
// A history is used from the thread that owns its document. Destroying it while its entries
// are being compressed is safe: the compression thread shares the entries, never the history.
class CLayerHistory {
public:
    CLayerHistory();
    ~CLayerHistory();
    CLayerHistory(const CLayerHistory&) = delete;
    CLayerHistory& operator=(const CLayerHistory&) = delete;

    bool CanUndo() const { return !m_arrUndo.empty(); }
    bool CanRedo() const { return !m_arrRedo.empty(); }
    int UndoCount() const { return int(m_arrUndo.size()); }
    int RedoCount() const { return int(m_arrRedo.size()); }

    // Appends item as the newest undo entry and queues its compression. When the list then
    // holds more than limit entries, the oldest ones are dropped until it holds limit, so a
    // lowered "History States" value takes effect at the next append.
    void AppendUndo(CUndoItem item, int limit);
    // Appends item as the entry to redo next. The redo list has no limit.
    void AppendRedo(CUndoItem item);
    // Takes the newest undo (redo) entry off its list. Empty when the list is empty, or when
    // the memory for the entry's pixels cannot be had; the entry then stays where it was.
    std::optional<CUndoItem> TakeUndo();
    std::optional<CUndoItem> TakeRedo();
    void ClearRedo();
    // Empties both lists and frees their buffers.
    void Clear();

    // Bytes of pixel data the entries hold, compressed or not yet compressed.
    int64_t StoredBytes() const;
    // Entries of both lists whose pixels are compressed by now.
    int CompressedCount() const;
    // A number no other history of this run has had.
    uint64_t Id() const { return m_nId; }

    // --- The program-wide compression thread -------------------------------------------
    // True while entries wait for compression or one is being compressed.
    static bool IsCompressing();
    // Returns when every queued entry has been compressed.
    static void WaitForCompression();
    // Called on the compression thread each time it is done with an entry (the
    // noise-reduction dialog re-enables its controls then); a window hands the call over to
    // its own thread.
    static void SetCompressionEndedListener(std::function<void()> listener);
    // Called on the compressing threads after each slice of rows, with the flag that tells
    // the compression to stop; tests use it to hold a compression half-way. Null removes it.
    using SliceHook = std::function<void(const std::atomic<bool>& stopping)>;
    static void SetCompressionSliceHook(SliceHook hook);

private:
    std::optional<CUndoItem> Take(std::deque<std::shared_ptr<CUndoEntry>>& list);
    static void Drop(std::deque<std::shared_ptr<CUndoEntry>>& list);

    std::deque<std::shared_ptr<CUndoEntry>> m_arrUndo;
    std::deque<std::shared_ptr<CUndoEntry>> m_arrRedo;
    uint64_t m_nId;
};
