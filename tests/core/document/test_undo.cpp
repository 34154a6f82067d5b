#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "document/PictorraDoc.h"
#include "support/TestPictures.h"

namespace {

// A document showing one width x height layer.
std::unique_ptr<CPictorraDoc> MakeDoc(CDocumentHost* host, int width = 40, int height = 30) {
    auto doc = std::make_unique<CPictorraDoc>(host);
    EXPECT_TRUE(doc->OnNewDocument(width, height));
    doc->OnFrameActivated();
    return doc;
}

// Pixels that differ from one edit number to the next, in every channel and near the byte
// limits (where a filter's arithmetic would carry into the next channel).
uint32_t Pattern(int x, int y, int edit) {
    const uint32_t v = uint32_t(x * 37 + y * 101 + edit * 71);
    return ((v * 2654435761u) ^ (uint32_t(edit) << 24)) | ((x + edit) % 3 == 0 ? 0xFF00FF00u : 0);
}

// An edit in the program's order: record, change the pixels, rebuild the caches.
void Edit(CPictorraDoc& doc, int edit) {
    doc.PushUndoState();
    Bitmap& b = *doc.m_pActiveBitmap;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            b.SetPixel(x, y, Pattern(x, y, edit));
        }
    }
    doc.RebuildLayerCaches();
}

::testing::AssertionResult ShowsEdit(const Bitmap& b, int edit) {
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            if (b.GetPixel(x, y) != Pattern(x, y, edit)) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is "
                       << Hex(b.GetPixel(x, y)).toStdString() << ", not that of edit " << edit;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// Holds every compression at its first slice until the compression is told to stop (the
// entry was taken or dropped) or the hold is released.
class HeldCompression {
public:
    HeldCompression() {
        CLayerHistory::SetCompressionSliceHook([this](const std::atomic<bool>& stopping) {
            {
                std::lock_guard lock(m_mutex);
                ++m_nSlices;
                m_priorities.insert(getpriority(PRIO_PROCESS, id_t(gettid())));
            }
            m_reached.notify_all();
            while (!stopping.load() && !m_bReleased.load()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    ~HeldCompression() {
        m_bReleased = true;
        CLayerHistory::WaitForCompression();
        CLayerHistory::SetCompressionSliceHook(nullptr);
    }
    void WaitUntilHeld() {
        std::unique_lock lock(m_mutex);
        m_reached.wait(lock, [this] { return m_nSlices > 0; });
    }
    void Release() { m_bReleased = true; }
    int Slices() {
        std::lock_guard lock(m_mutex);
        return m_nSlices;
    }
    std::set<int> Priorities() {
        std::lock_guard lock(m_mutex);
        return m_priorities;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_reached;
    int m_nSlices = 0;
    std::set<int> m_priorities;
    std::atomic<bool> m_bReleased{false};
};

}  // namespace

TEST(UndoHistory, HistoryStatesLimitIsReadAtEveryAppend) {
    struct Case {
        const char* what;
        int limit, edits, loweredLimit, editsAfter;
        int undoable;  // undo entries at the end
    };
    const Case cases[] = {
        {"History States 3 with four edits", 3, 4, 3, 0, 3},
        {"the default keeps 25", 25, 27, 25, 0, 25},
        {"a lowered limit takes effect at the next append", 5, 5, 2, 1, 2},
        {"a lowered limit waits for an append", 5, 5, 2, 0, 5},
        {"a raised limit keeps more", 2, 3, 4, 2, 4},
    };
    for (const Case& c : cases) {
        CDocumentHost host;
        host.SetHistoryLimit(c.limit);
        auto doc = MakeDoc(&host, 8, 4);
        int edit = 0;
        while (edit < c.edits) {
            Edit(*doc, ++edit);
        }
        host.SetHistoryLimit(c.loweredLimit);
        for (int i = 0; i < c.editsAfter; ++i) {
            Edit(*doc, ++edit);
        }
        EXPECT_EQ(doc->ActiveLayer()->m_History.UndoCount(), c.undoable) << c.what;
        // Undoing everything ends at the state after the oldest edit still recorded.
        while (doc->CanUndo()) {
            doc->UndoLastEdit();
        }
        const int oldest = edit - c.undoable;
        if (oldest == 0) {
            EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(0, 0), 0xFFFFFFFFu) << c.what;
        } else {
            EXPECT_TRUE(ShowsEdit(*doc->m_pActiveBitmap, oldest)) << c.what;
        }
    }
}

TEST(UndoHistory, UndoAndRedoRestorePixelsOffsetsAndSize) {
    CDocumentHost host;
    auto doc = MakeDoc(&host, 30, 20);
    Edit(*doc, 1);
    // Move the layer (an arrow key without a selection), then give it other pixels and size.
    doc->PushUndoState();
    doc->ActiveLayer()->m_nOffsetX += 7;
    doc->ActiveLayer()->m_nOffsetY -= 3;
    doc->PushUndoState();
    doc->SetLayerBitmap(doc->ActiveLayer(), MakePhotoLike(50, 45, 3));
    doc->RebuildLayerCaches();
    const auto enlarged = doc->m_pActiveBitmap->Clone();

    doc->UndoLastEdit();
    EXPECT_EQ(doc->ImageSize(), QSize(30, 20));
    EXPECT_EQ(doc->m_pBelowCache->Size(), QSize(30, 20)) << "the caches follow the layer's size";
    EXPECT_EQ(doc->ActiveLayer()->m_nOffsetX, 7);
    doc->UndoLastEdit();
    EXPECT_EQ(doc->ActiveLayer()->m_nOffsetX, 0);
    EXPECT_EQ(doc->ActiveLayer()->m_nOffsetY, 0);
    EXPECT_TRUE(ShowsEdit(*doc->m_pActiveBitmap, 1));
    EXPECT_EQ(doc->m_pActiveBitmap, doc->ActiveLayer()->m_pBitmap.get());

    EXPECT_TRUE(doc->CanRedo());
    doc->RedoLastEdit();
    EXPECT_EQ(doc->ActiveLayer()->m_nOffsetX, 7);
    EXPECT_EQ(doc->ActiveLayer()->m_nOffsetY, -3);
    doc->RedoLastEdit();
    EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *enlarged));
    EXPECT_EQ(doc->ImageSize(), QSize(50, 45));
    EXPECT_FALSE(doc->CanRedo());
    EXPECT_TRUE(doc->IsModified());
}

TEST(UndoHistory, ANewEditAfterUndoEmptiesTheRedoList) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    Edit(*doc, 1);
    Edit(*doc, 2);
    doc->UndoLastEdit();
    doc->UndoLastEdit();
    EXPECT_EQ(doc->ActiveLayer()->m_History.RedoCount(), 2);
    Edit(*doc, 3);
    EXPECT_FALSE(doc->CanRedo());
    doc->UndoLastEdit();
    EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(0, 0), 0xFFFFFFFFu);
}

TEST(UndoHistory, HistoriesArePerLayer) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    doc->AddEmptyLayer();
    doc->SetActiveLayer(2);
    Edit(*doc, 1);
    Edit(*doc, 2);
    doc->SetActiveLayer(1);
    EXPECT_FALSE(doc->CanUndo()) << "layer 1 has no edits";
    Edit(*doc, 3);
    doc->UndoLastEdit();
    EXPECT_EQ(doc->Layer(1)->m_pBitmap->GetPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_TRUE(ShowsEdit(*doc->Layer(2)->m_pBitmap, 2)) << "layer 2 is untouched";
    doc->SetActiveLayer(2);
    EXPECT_TRUE(doc->CanUndo());
    EXPECT_FALSE(doc->CanRedo());
    doc->UndoLastEdit();
    EXPECT_TRUE(ShowsEdit(*doc->Layer(2)->m_pBitmap, 1));
}

TEST(UndoHistory, FlatteningLeavesNothingToUndoOrRedo) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    Edit(*doc, 1);
    Edit(*doc, 2);
    doc->UndoLastEdit();
    doc->AddEmptyLayer();
    doc->SetActiveLayer(2);
    Edit(*doc, 3);
    doc->SetActiveLayer(1);
    ASSERT_TRUE(doc->CanUndo() && doc->CanRedo());
    doc->FlattenLayers();
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_FALSE(doc->CanRedo());
    doc->UndoLastEdit();  // disabled, and harmless when called
    EXPECT_EQ(doc->LayerCount(), 1);

    // A document whose first layer is still to be made has nothing to undo either.
    CPictorraDoc pending(&host);
    ASSERT_TRUE(pending.OnNewDocument(4, 4));
    pending.PushUndoState();
    EXPECT_FALSE(pending.CanUndo());
    pending.UndoLastEdit();
    pending.RedoLastEdit();
}

TEST(UndoHistory, EntriesRecordTheSelectionAndTheFragment) {
    CDocumentHost host;
    auto doc = MakeDoc(&host, 20, 20);
    CSelectionShape square;
    square.m_arrPoints = {{2, 3}, {12, 3}, {12, 9}, {2, 9}, {2, 3}};
    doc->Selection().m_arrShapes = {square};
    doc->Selection().m_nSelectionState = 8;
    doc->m_rcSelection = CRect(2, 3, 12, 9);
    doc->m_bSelection = true;
    doc->m_pFragment = MakePhotoLike(10, 6, 5);
    const CSelectionState selected = doc->Selection();
    const auto fragment = doc->m_pFragment->Clone();

    // An edit inside the selection, then the selection is dropped.
    doc->PushUndoState();
    doc->m_pFragment->Clear(0xFF123456);
    doc->PushUndoState();
    doc->m_pFragment.reset();
    doc->Selection().Restore(CSelectionState());
    doc->m_rcSelection = CRect();
    doc->m_bSelection = false;

    doc->UndoLastEdit();
    EXPECT_EQ(doc->Selection(), selected);
    EXPECT_EQ(doc->m_rcSelection, CRect(2, 3, 12, 9));
    EXPECT_TRUE(doc->m_bSelection);
    ASSERT_TRUE(doc->m_pFragment);
    EXPECT_EQ(doc->m_pFragment->GetPixel(5, 5), 0xFF123456u);
    doc->UndoLastEdit();
    EXPECT_TRUE(SamePixels(*doc->m_pFragment, *fragment));
    doc->RedoLastEdit();
    doc->RedoLastEdit();
    EXPECT_FALSE(doc->m_pFragment);
    EXPECT_FALSE(doc->m_bSelection);
    EXPECT_EQ(doc->Selection().m_nSelectionState, 0);

    // The hue selection tool holds a selection with state 0; Undo shows it again.
    host.SetCurrentTool(20);
    doc->PushUndoState();
    host.SetCurrentTool(1);
    doc->UndoLastEdit();
    EXPECT_TRUE(doc->m_bSelection);
    EXPECT_TRUE(doc->IsSelectionPresent());
}

TEST(UndoHistory, PendingCopiesAreRestoredAndCommitted) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    Edit(*doc, 1);
    doc->m_pFragment = MakePhotoLike(6, 5, 9);
    const auto fragment = doc->m_pFragment->Clone();

    doc->CommitPendingUndo();
    EXPECT_EQ(doc->ActiveLayer()->m_History.UndoCount(), 1) << "nothing pending, nothing recorded";

    // An effect's preview: save, change, restore, change again, accept.
    doc->SavePendingUndo();
    doc->m_pActiveBitmap->Clear(0xFF0000FF);
    doc->m_pFragment->Clear(0);
    doc->RestorePendingUndo();
    EXPECT_TRUE(ShowsEdit(*doc->m_pActiveBitmap, 1));
    EXPECT_TRUE(SamePixels(*doc->m_pFragment, *fragment));
    doc->m_pFragment.reset();
    doc->RestorePendingUndo();  // the copies stay after a restore, even for a fragment gone
    ASSERT_TRUE(doc->m_pFragment);
    EXPECT_TRUE(SamePixels(*doc->m_pFragment, *fragment));
    doc->m_pActiveBitmap->Clear(0xFF00FF00);
    doc->CommitPendingUndo();
    EXPECT_FALSE(doc->m_pPendingUndo);
    EXPECT_FALSE(doc->m_pPendingFragment);
    EXPECT_EQ(doc->ActiveLayer()->m_History.UndoCount(), 2);
    doc->UndoLastEdit();
    EXPECT_TRUE(ShowsEdit(*doc->m_pActiveBitmap, 1));

    // Accepting a change after an Undo leaves nothing to redo.
    ASSERT_TRUE(doc->CanRedo());
    doc->SavePendingUndo();
    doc->m_pActiveBitmap->Clear(0xFF00FFFF);
    doc->CommitPendingUndo();
    EXPECT_FALSE(doc->CanRedo());
}

TEST(UndoHistory, PendingCopiesStayWithTheirLayer) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    Edit(*doc, 1);
    doc->AddEmptyLayer();
    doc->SavePendingUndo();  // of layer 1
    doc->Layer(1)->m_pBitmap->Clear(0xFF000000);
    doc->SetActiveLayer(2);
    doc->RestorePendingUndo();
    EXPECT_TRUE(ShowsEdit(*doc->Layer(1)->m_pBitmap, 1));
    EXPECT_EQ(doc->Layer(2)->m_pBitmap->GetPixel(0, 0), 0xFFFFFFFFu) << "layer 2 is untouched";
    doc->CommitPendingUndo();
    EXPECT_FALSE(doc->CanUndo()) << "the entry belongs to layer 1";
    EXPECT_EQ(doc->Layer(1)->m_History.UndoCount(), 2);

    // Pending copies of a deleted layer are dropped.
    doc->SavePendingUndo();  // of layer 2
    doc->DeleteLayer();
    doc->RestorePendingUndo();
    doc->CommitPendingUndo();
    EXPECT_EQ(doc->Layer(1)->m_History.UndoCount(), 2);
}

// Compressed entries give back exactly the pixels recorded, for small and banded bitmaps,
// flat and noisy ones, with and without a fragment.
TEST(UndoHistory, CompressedEntriesComeBackExactly) {
    struct Case {
        const char* what;
        std::function<std::unique_ptr<Bitmap>()> make;
        bool fragment;
    };
    const std::vector<Case> cases{
        {"one pixel", [] { return Bitmap::Create(1, 1, 0x80FF0001); }, false},
        {"one column", [] { return MakePhotoLike(1, 300, 2); }, true},
        {"byte limits",
         [] {
             return MakeBitmap(33, 17, [](int x, int y) {
                 return (x + y) % 2 ? 0xFF00FF00u : (x % 3 ? 0x00FF00FFu : 0xFFFFFFFFu);
             });
         },
         true},
        {"banded photo", [] { return MakePhotoLike(700, 420, 4); }, false},
        {"banded flat", [] { return Bitmap::Create(900, 400, 0xFFFFFFFF); }, true},
    };
    for (const Case& c : cases) {
        CDocumentHost host;
        auto doc = MakeDoc(&host, 4, 4);
        doc->SetLayerBitmap(doc->ActiveLayer(), c.make());
        const auto before = doc->m_pActiveBitmap->Clone();
        if (c.fragment) {
            doc->m_pFragment = MakePhotoLike(9, 7, 3);
        }
        doc->PushUndoState();
        doc->m_pActiveBitmap->Clear(0x12345678);
        doc->m_pFragment.reset();
        CLayerHistory::WaitForCompression();
        EXPECT_EQ(doc->ActiveLayer()->m_History.CompressedCount(), 1) << c.what;
        doc->UndoLastEdit();
        EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *before)) << c.what;
        EXPECT_EQ(bool(doc->m_pFragment), c.fragment) << c.what;
        CLayerHistory::WaitForCompression();
        doc->RedoLastEdit();
        EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(0, 0), 0x12345678u) << c.what;
        EXPECT_FALSE(doc->m_pFragment) << c.what;
    }
}

TEST(UndoHistory, OnlyCompressedPixelsStay) {
    CDocumentHost host;
    auto doc = MakeDoc(&host, 1000, 800);
    doc->PushUndoState();
    CLayerHistory::WaitForCompression();
    const CLayerHistory& history = doc->ActiveLayer()->m_History;
    EXPECT_EQ(history.CompressedCount(), 1);
    EXPECT_LT(history.StoredBytes() * 100, doc->m_pActiveBitmap->ByteCount())
        << "a flat layer keeps less than 1 % of its bytes";
}

// Many quick edits, with compressions running meanwhile, come back in order through Undo and
// Redo, whatever each entry's state when it is taken. Also run under ThreadSanitizer.
TEST(UndoHistory, ManyQuickEditsKeepTheirOrder) {
    CDocumentHost host;
    constexpr int kEdits = 24;
    host.SetHistoryLimit(kEdits);
    auto doc = MakeDoc(&host, 512, 512);  // large enough to be compressed in bands
    std::atomic<int> ended{0};
    CLayerHistory::SetCompressionEndedListener([&] { ++ended; });
    for (int edit = 1; edit <= kEdits; ++edit) {
        Edit(*doc, edit);
        if (edit == kEdits / 2) {
            CLayerHistory::WaitForCompression();  // the older half is surely compressed
        }
    }
    for (int edit = kEdits - 1; edit >= 1; --edit) {
        doc->UndoLastEdit();
        ASSERT_TRUE(ShowsEdit(*doc->m_pActiveBitmap, edit));
    }
    doc->UndoLastEdit();
    EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_FALSE(doc->CanUndo());
    for (int edit = 1; edit <= kEdits; ++edit) {
        doc->RedoLastEdit();
        ASSERT_TRUE(ShowsEdit(*doc->m_pActiveBitmap, edit));
    }
    EXPECT_FALSE(doc->CanRedo());
    CLayerHistory::WaitForCompression();
    CLayerHistory::SetCompressionEndedListener(nullptr);
    EXPECT_GE(ended.load(), kEdits / 2);
    EXPECT_FALSE(CLayerHistory::IsCompressing());
}

TEST(UndoHistory, UndoStopsACompressionHalfWay) {
    CDocumentHost host;
    auto doc = MakeDoc(&host, 1000, 600);
    Edit(*doc, 1);
    CLayerHistory::WaitForCompression();
    {
        HeldCompression held;
        Edit(*doc, 2);
        held.WaitUntilHeld();
        EXPECT_TRUE(CLayerHistory::IsCompressing());
        doc->UndoLastEdit();  // takes the entry being compressed
        EXPECT_TRUE(ShowsEdit(*doc->m_pActiveBitmap, 1));
        // Each compressing thread stopped after its first slice.
        EXPECT_LE(held.Slices(), 2 * int(std::max(1u, std::thread::hardware_concurrency())));
        EXPECT_EQ(held.Priorities(), std::set<int>{10}) << "compression runs below normal priority";
    }
    doc->RedoLastEdit();
    EXPECT_TRUE(ShowsEdit(*doc->m_pActiveBitmap, 2));
    doc->UndoLastEdit();
    doc->UndoLastEdit();
    EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(0, 0), 0xFFFFFFFFu);
}

TEST(UndoHistory, LayersAndDocumentsMayGoWhileTheirEntriesAreCompressed) {
    CDocumentHost host;
    auto doc = MakeDoc(&host, 800, 600);
    doc->AddEmptyLayer();
    doc->SetActiveLayer(2);
    {
        HeldCompression held;
        Edit(*doc, 1);
        Edit(*doc, 2);  // queued behind the first
        held.WaitUntilHeld();
        doc->DeleteLayer();
        EXPECT_EQ(doc->LayerCount(), 1);
        Edit(*doc, 3);
        held.Release();
    }
    EXPECT_TRUE(doc->CanUndo());
    {
        HeldCompression held;
        Edit(*doc, 4);
        held.WaitUntilHeld();
        doc.reset();
    }
    EXPECT_FALSE(CLayerHistory::IsCompressing());
}
