// Runs of the effect frame that are cancelled while they work: in every flow the picture comes
// back exactly as it was before the run and the history holds nothing of it; runs that are not
// cancelled report their progress up to the whole.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "document/PictorraDoc.h"
#include "effects/EffectFrame.h"
#include "effects/EffectRows.h"
#include "platform/Draw.h"
#include "platform/Progress.h"
#include "platform/ThreadPool.h"
#include "support/TestPictures.h"

namespace {

// Big enough for the frame to hand the work to the runner.
constexpr int kSide = 300;

// While set, the slow effect waits after a few rows until its run is cancelled, so that the
// test's cancel always comes in the middle of the run however the threads are scheduled.
std::atomic<bool> g_bHoldForCancel{false};

// An effect that takes its time: each row is inverted, then the band pauses. It counts its
// rows and stops at the next row once cancelled.
bool SlowInvert(Bitmap& target, const std::vector<int>& values, const EffectContext& context) {
    CProgress* progress = context.progress;
    ForEachRow(target, 1 << 12, progress, [&](uint32_t* row, int) {
        for (int x = 0; x < target.Width(); ++x) {
            row[x] ^= 0x00FFFFFFu;
        }
        row[0] ^= uint32_t(values.empty() ? 0 : values[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(300));
        for (int wait = 0; g_bHoldForCancel && progress && progress->Done() >= 3 &&
                           !progress->IsCancelled() && wait < 60000;
             ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    return true;
}

EffectInfo SlowEffect(EffectFlow flow) {
    EffectInfo info;
    info.name = QStringLiteral("slow-invert");
    info.menuText = QStringLiteral("Slow Invert");
    info.flow = flow;
    info.dialogCaption = flow == EffectFlow::Direct ? QString() : QStringLiteral("Slow Invert");
    info.parameters = {EffectParameter{"amount", "Amount:", 0, 10, 0}};
    info.apply = SlowInvert;
    return info;
}

// Runs the work on the program's pool, as the windows do, and waits for it on this thread;
// while cancelNext is set it cancels the run from this thread once a few rows are done.
struct PoolRunner {
    bool cancelNext = false;
    int runs = 0;
    int64_t lastDone = 0, lastTotal = 0;

    EffectRunner Runner() {
        return [this](CProgress& progress, const std::function<void()>& work) {
            ++runs;
            std::mutex mutex;
            std::condition_variable ended;
            bool done = false;
            g_bHoldForCancel = cancelNext;
            CThreadPool::Shared().Post([&] {
                work();
                std::lock_guard lock(mutex);
                done = true;
                ended.notify_all();
            });
            if (cancelNext) {
                while (progress.Done() < 3) {
                    std::this_thread::yield();
                }
                progress.Cancel();
            }
            std::unique_lock lock(mutex);
            ended.wait(lock, [&] { return done; });
            lastDone = progress.Done();
            lastTotal = progress.Total();
        };
    }
    // The last run was cut short: far fewer rows than the picture has.
    bool StoppedEarly() const { return lastDone < lastTotal / 2; }
};

std::unique_ptr<CPictorraDoc> MakeDoc(CDocumentHost* host) {
    auto doc = std::make_unique<CPictorraDoc>(host);
    EXPECT_TRUE(doc->OnNewDocument(kSide, kSide));
    doc->OnFrameActivated();
    doc->SetLayerBitmap(doc->ActiveLayer(), MakePhotoLike(kSide, kSide, 7));
    return doc;
}

enum class Sel { None, Rectangle, Ellipse };

const char* Name(Sel s) {
    return s == Sel::None ? "no selection" : s == Sel::Rectangle ? "rectangle" : "ellipse";
}

void Select(CPictorraDoc& doc, Sel s) {
    if (s == Sel::Rectangle) {
        doc.SelectRectangle(CRect(20, 10, 280, 290));
    } else if (s == Sel::Ellipse) {
        doc.Selection().Append(CSelectionShape::Ellipse(CRect(5, 15, 295, 285)));
        doc.Selection().m_nSelectionState = CSelection::kStateEllipse;
        doc.m_rcSelection = CRect(5, 15, 295, 285);
        doc.m_bSelection = true;
    }
}

// The layer as the view shows it: a lifted fragment drawn over it at its rectangle.
std::unique_ptr<Bitmap> Shown(const CPictorraDoc& doc) {
    auto shown = doc.m_pActiveBitmap->Clone();
    if (doc.m_pFragment) {
        DrawBitmapRect(*shown, doc.m_rcSelection.ToQRect(), *doc.m_pFragment,
                       doc.m_pFragment->Rect());
    }
    return shown;
}

int UndoCount(const CPictorraDoc& doc) {
    return doc.ActiveLayer()->m_History.UndoCount();
}
int RedoCount(const CPictorraDoc& doc) {
    return doc.ActiveLayer()->m_History.RedoCount();
}

}  // namespace

TEST(CancelledRun, ADirectEffectLeavesPictureSelectionAndHistoryAsTheyWere) {
    for (EffectFlow flow : {EffectFlow::Direct, EffectFlow::DialogThenApply}) {
        for (Sel s : {Sel::None, Sel::Rectangle, Sel::Ellipse}) {
            SCOPED_TRACE(std::string(flow == EffectFlow::Direct ? "direct, " : "dialog, ") +
                         Name(s));
            CDocumentHost host;
            auto doc = MakeDoc(&host);
            // An undone edit waits to be redone; the cancelled command must not drop it.
            doc->PushUndoState();
            doc->UndoLastEdit();
            doc->SetModifiedFlag(false);
            Select(*doc, s);
            const auto before = Shown(*doc);
            const auto layer = doc->m_pActiveBitmap->Clone();
            const int redo = RedoCount(*doc);

            const EffectInfo effect = SlowEffect(flow);
            PoolRunner runner;
            runner.cancelNext = true;
            CEffectSession session(*doc, effect);
            session.SetRunner(runner.Runner());
            ASSERT_EQ(session.Start({0}), CEffectSession::StartResult::Started);
            EXPECT_FALSE(session.Accept({0}));
            EXPECT_EQ(runner.runs, 1);
            EXPECT_TRUE(runner.StoppedEarly()) << runner.lastDone << " of " << runner.lastTotal;

            EXPECT_TRUE(SamePixels(*Shown(*doc), *before));
            EXPECT_EQ(UndoCount(*doc), 0);
            EXPECT_FALSE(doc->IsModified());
            EXPECT_EQ(host.BusyDepth(), 0);
            if (s == Sel::None) {
                EXPECT_EQ(RedoCount(*doc), redo) << "the redo list went";
            } else {
                // The selection is back as it was, not lifted, over the uncut layer.
                EXPECT_FALSE(doc->m_pFragment);
                EXPECT_TRUE(doc->IsSelectionPresent());
                EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *layer));
            }

            // The same command not cancelled: one entry, which Undo takes back.
            runner.cancelNext = false;
            CEffectSession again(*doc, effect);
            again.SetRunner(runner.Runner());
            ASSERT_EQ(again.Start({0}), CEffectSession::StartResult::Started);
            EXPECT_TRUE(again.Accept({0}));
            EXPECT_EQ(runner.lastDone, runner.lastTotal);
            EXPECT_FALSE(SamePixels(*Shown(*doc), *before));
            EXPECT_EQ(UndoCount(*doc), 1);
            doc->UndoLastEdit();
            EXPECT_TRUE(SamePixels(*Shown(*doc), *before));
        }
    }
}

TEST(CancelledRun, APreviewShowsTheUntouchedPictureAndTheDialogGoesOn) {
    const EffectFlow flows[] = {EffectFlow::LiveAdjustment, EffectFlow::SettingDialog,
                                EffectFlow::LivePreview, EffectFlow::PreviewDialog};
    for (EffectFlow flow : flows) {
        for (Sel s : {Sel::None, Sel::Ellipse}) {
            for (bool accept : {true, false}) {
                SCOPED_TRACE(EffectFlowName(flow).toStdString() + ", " + Name(s) +
                             (accept ? ", OK" : ", Cancel"));
                CDocumentHost host;
                auto doc = MakeDoc(&host);
                Select(*doc, s);
                const auto before = Shown(*doc);
                const EffectInfo effect = SlowEffect(flow);
                PoolRunner runner;
                CEffectSession session(*doc, effect);
                session.SetRunner(runner.Runner());
                // The setting and live preview dialogs run at the start already: cancelled.
                runner.cancelNext = true;
                ASSERT_EQ(session.Start({0}), CEffectSession::StartResult::Started);
                EXPECT_TRUE(SamePixels(*Shown(*doc), *before));
                const int entries = UndoCount(*doc);  // a lift's, with a selection
                EXPECT_EQ(entries, s == Sel::None ? 0 : 1);

                // A finished preview, then a cancelled one: the untouched picture again.
                runner.cancelNext = false;
                EXPECT_TRUE(session.Preview({1}));
                const auto previewed = Shown(*doc);
                EXPECT_FALSE(SamePixels(*previewed, *before));
                runner.cancelNext = true;
                EXPECT_FALSE(session.Preview({2}));
                EXPECT_TRUE(runner.StoppedEarly());
                EXPECT_TRUE(SamePixels(*Shown(*doc), *before));
                // Only a setting dialog records its runs, and only those that finished (the
                // first of them on a lifted selection has the lift's entry).
                const int runEntries = flow == EffectFlow::SettingDialog && s == Sel::None ? 1 : 0;
                EXPECT_EQ(UndoCount(*doc), entries + runEntries);

                if (accept) {
                    // OK runs again when the picture does not show its values; cancelled,
                    // the session ends as Cancel ends it.
                    EXPECT_FALSE(session.Accept({2}));
                    EXPECT_FALSE(session.IsOpen());
                    EXPECT_TRUE(SamePixels(*Shown(*doc), *before));
                    EXPECT_EQ(UndoCount(*doc), entries + runEntries);
                } else {
                    session.Cancel();
                    EXPECT_TRUE(SamePixels(*Shown(*doc), *before));
                    EXPECT_EQ(UndoCount(*doc), entries + runEntries);
                }
                EXPECT_FALSE(doc->m_pPendingUndo);
                EXPECT_EQ(host.BusyDepth(), 0);
            }
        }
    }
}

TEST(CancelledRun, FinishedRunsCountEveryRowAndGiveTheSameResultAsWithoutARunner) {
    // The effects that take longest on big pictures, run through the pool with a token.
    for (const char* name : {"blur", "sharpen", "emboss", "hsb", "mosaic", "sobel", "laplas"}) {
        SCOPED_TRACE(name);
        const EffectInfo& effect = *FindEffect(QString::fromLatin1(name));
        CDocumentHost host;
        auto reference = MakeDoc(&host);
        auto doc = MakeDoc(&host);
        std::vector<int> values = CEffectSession(*doc, effect).InitialValues();
        if (!values.empty() && effect.flow != EffectFlow::SettingDialog) {
            values[0] = effect.parameters[0].maximum;
        }
        ASSERT_TRUE(ApplyEffect(*reference, effect, values));

        PoolRunner runner;
        CEffectSession session(*doc, effect);
        session.SetRunner(runner.Runner());
        ASSERT_EQ(session.Start(values), CEffectSession::StartResult::Started);
        session.Preview(values);
        ASSERT_TRUE(session.Accept(values));
        EXPECT_GE(runner.runs, 1);
        EXPECT_EQ(runner.lastDone, runner.lastTotal);
        EXPECT_GT(runner.lastTotal, 0);
        EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *reference->m_pActiveBitmap));
    }
}
