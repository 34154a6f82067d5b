// Long effect runs in the program: after half a second their progress shows with a Cancel
// button (in a small dialog of the main window for a direct effect, in the effect's own dialog
// otherwise), and Cancel gives the picture back exactly as it was, with nothing to undo.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <thread>

#include "app/MainFrame.h"
#include "app/ShellFixture.h"
#include "document/PictorraDoc.h"
#include "effects/EffectCommands.h"
#include "effects/EffectDlg.h"
#include "effects/EffectRows.h"
#include "effects/EffectRunUi.h"
#include "platform/Progress.h"
#include "support/TestPictures.h"
#include "support/WidgetTesting.h"

namespace {

constexpr int kSide = 300;

// Seconds of work if nobody cancels it: each row is inverted and the band then pauses; past
// half the rows it waits for the Cancel the tests press (a minute at most), so that however
// slowly the windows follow the run, it is still going when Cancel comes.
bool SlowInvert(Bitmap& target, const std::vector<int>&, const EffectContext& context) {
    CProgress* progress = context.progress;
    ForEachRow(target, 1 << 12, progress, [&](uint32_t* row, int) {
        for (int x = 0; x < target.Width(); ++x) {
            row[x] ^= 0x00FFFFFFu;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        for (int wait = 0;
             progress && progress->Fraction() >= 0.5 && !progress->IsCancelled() && wait < 6000;
             ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    return true;
}

EffectInfo SlowEffect(EffectFlow flow) {
    EffectInfo info;
    info.name = QStringLiteral("slow-invert");
    info.menuText = QStringLiteral("Slow &Invert");
    info.flow = flow;
    info.dialogCaption = flow == EffectFlow::Direct ? QString() : QStringLiteral("Slow Invert");
    info.parameters = {EffectParameter{"amount", "Amount", 0, 10, 0}};
    info.apply = SlowInvert;
    return info;
}

struct ProgressShell : ShellFixture {
    CPictorraDoc* doc = nullptr;
    std::unique_ptr<Bitmap> picture;

    ProgressShell() {
        FinishStartup();
        NewPicture(kSide, kSide);
        doc = &ActiveDoc();
        picture = MakePhotoLike(kSide, kSide, 4, false);
        doc->SetLayerBitmap(doc->ActiveLayer(), picture->Clone());
        doc->RebuildLayerCaches();
    }
    bool Untouched() const {
        return !doc->CanUndo() && bool(SamePixels(*doc->m_pActiveBitmap, *picture));
    }
};

// Clicks button once it is shown (the run's progress appears after half a second).
void ClickWhenShown(std::function<QPushButton*()> button, bool* clicked) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, button, clicked] {
        QPushButton* b = button();
        if (b && b->isVisible() && b->isEnabled()) {
            timer->stop();
            timer->deleteLater();
            *clicked = true;
            b->click();
        }
    });
    timer->start(10);
}

}  // namespace

TEST(EffectProgress, ADirectEffectShowsAProgressDialogWhoseCancelRestoresThePicture) {
    ProgressShell shell;
    const EffectInfo effect = SlowEffect(EffectFlow::Direct);
    int shownPercent = -1;
    QString caption;
    WhenModal([&](QWidget* modal) {
        auto* progress = qobject_cast<CEffectProgressDlg*>(modal);
        ASSERT_TRUE(progress) << modal->metaObject()->className();
        caption = progress->windowTitle();
        // The bar follows the run while this thread goes on handling events.
        ASSERT_TRUE(ProcessEventsUntil([&] { return progress->ProgressBar()->value() > 0; }));
        shownPercent = progress->ProgressBar()->value();
        progress->CancelButton()->click();
    });
    RunEffectCommand(*shell.doc, effect, &shell.Frame());
    CancelPendingModalActions();
    EXPECT_EQ(caption, QStringLiteral("Slow Invert"));
    EXPECT_GT(shownPercent, 0);
    EXPECT_LT(shownPercent, 100);
    EXPECT_TRUE(shell.Untouched());
    EXPECT_FALSE(QApplication::overrideCursor()) << "the busy cursor stayed";
}

TEST(EffectProgress, APreviewDialogShowsTheRunsProgressAndItsCancelKeepsTheDialog) {
    ProgressShell shell;
    const EffectInfo effect = SlowEffect(EffectFlow::PreviewDialog);
    bool clicked = false, barShown = false, stillOpen = false, controlsBack = false;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CEffectDlg*>(modal);
        ASSERT_TRUE(dialog) << modal->metaObject()->className();
        EXPECT_FALSE(dialog->RunProgressBar()->isVisible());
        ClickWhenShown(
            [dialog, &barShown] {
                barShown = dialog->RunProgressBar()->isVisible();
                // While the bar shows, OK and Preview wait for the run.
                return dialog->OkButton()->isEnabled() ? nullptr : dialog->RunCancelButton();
            },
            &clicked);
        dialog->PreviewButton()->click();  // returns when the run has ended
        stillOpen = dialog->isVisible();
        controlsBack = dialog->OkButton()->isEnabled() && !dialog->RunProgressBar()->isVisible();
        EXPECT_TRUE(SamePixels(*shell.doc->m_pActiveBitmap, *shell.picture));
        dialog->CancelButton()->click();
    });
    RunEffectCommand(*shell.doc, effect, &shell.Frame());
    CancelPendingModalActions();
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(barShown);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(controlsBack);
    EXPECT_TRUE(shell.Untouched());
}

TEST(EffectProgress, ClosingTheDialogDuringARunCancelsIt) {
    ProgressShell shell;
    const EffectInfo effect = SlowEffect(EffectFlow::LiveAdjustment);
    bool clicked = false;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CEffectDlg*>(modal);
        ASSERT_TRUE(dialog) << modal->metaObject()->className();
        ClickWhenShown(
            [dialog] {
                return dialog->RunProgressBar()->isVisible() ? dialog->CancelButton() : nullptr;
            },
            &clicked);
        dialog->findChild<QSlider*>(QStringLiteral("amount"))->setValue(5);
    });
    RunEffectCommand(*shell.doc, effect, &shell.Frame());
    CancelPendingModalActions();
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(shell.Untouched());
}
