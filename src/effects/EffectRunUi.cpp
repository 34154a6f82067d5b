#include "effects/EffectRunUi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <memory>

#include "effects/EffectDlg.h"
#include "platform/Progress.h"
#include "platform/ThreadPool.h"

namespace {

// The effect as the user knows it: its menu text without the mnemonic and the dots.
QString EffectName(const EffectInfo& effect) {
    if (!effect.dialogCaption.isEmpty()) {
        return effect.dialogCaption;
    }
    QString name = effect.menuText;
    name.remove(u'&');
    while (name.endsWith(u'.')) {
        name.chop(1);
    }
    return name;
}

// How often the progress bar follows the run.
constexpr int kProgressTickMs = 50;

}  // namespace

// --- CEffectProgressDlg -----------------------------------------------------------------------

CEffectProgressDlg::CEffectProgressDlg(const QString& effectName, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(effectName);
    setWindowIcon(QApplication::windowIcon());
    setModal(true);
    auto* label = new QLabel(QStringLiteral("Applying %1...").arg(effectName), this);
    m_pBar = new QProgressBar(this);
    m_pBar->setObjectName(QStringLiteral("runProgress"));
    m_pBar->setRange(0, 100);
    m_pBar->setMinimumWidth(260);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pCancel->setObjectName(QStringLiteral("runCancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pBar);
    layout->addWidget(m_pCancel, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// --- CEffectRunUi -----------------------------------------------------------------------------

CEffectRunUi::CEffectRunUi(const EffectInfo& effect, QWidget* parent)
    : m_effect(effect), m_pParent(parent) {}

EffectRunner CEffectRunUi::Runner() {
    return [this](CProgress& progress, const std::function<void()>& work) { Run(progress, work); };
}

void CEffectRunUi::Run(CProgress& progress, const std::function<void()>& work) {
    // The pool's thread says it is done through the flag, then wakes this thread with an empty
    // event for the application object (which outlives every run), so that nothing of this
    // frame is touched after the flag is set.
    std::atomic<bool> done{false};
    CThreadPool::Shared().Post([&work, &done] {
        work();
        done.store(true, std::memory_order_release);
        QMetaObject::invokeMethod(
            qApp, [] {}, Qt::QueuedConnection);
    });
    auto finished = [&done] { return done.load(std::memory_order_acquire); };

    QElapsedTimer clock;
    clock.start();
    QTimer tick;  // wakes the loop below to follow the progress and the clock
    tick.start(kProgressTickMs);
    while (!finished() && clock.elapsed() < kShowAfterMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::WaitForMoreEvents);
    }
    if (finished()) {
        return;
    }

    // A long run: its progress and Cancel, in the effect's dialog while it is up.
    CEffectDlg* dialog = m_pDialog && m_pDialog->isVisible() ? m_pDialog.data() : nullptr;
    std::unique_ptr<CEffectProgressDlg> own;
    QMetaObject::Connection cancelled, closed, follow;
    auto cancel = [&progress] { progress.Cancel(); };
    auto percent = [&progress] { return int(progress.Fraction() * 100.0); };
    if (dialog) {
        dialog->ShowRunProgress(true);
        cancelled = QObject::connect(dialog, &CEffectDlg::runCancelRequested, cancel);
        closed = QObject::connect(dialog, &QDialog::finished, cancel);
        follow = QObject::connect(&tick, &QTimer::timeout, dialog,
                                  [dialog, percent] { dialog->SetRunProgress(percent()); });
    } else {
        own = std::make_unique<CEffectProgressDlg>(EffectName(m_effect), m_pParent.data());
        cancelled = QObject::connect(own->CancelButton(), &QPushButton::clicked, cancel);
        closed = QObject::connect(own.get(), &QDialog::rejected, cancel);
        QProgressBar* bar = own->ProgressBar();
        follow = QObject::connect(&tick, &QTimer::timeout, bar,
                                  [bar, percent] { bar->setValue(percent()); });
        own->show();
    }
    // The bar follows from the timer, so that it moves in any event loop that runs meanwhile.
    while (!finished()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    QObject::disconnect(cancelled);
    QObject::disconnect(closed);
    QObject::disconnect(follow);
    if (dialog && m_pDialog) {
        dialog->ShowRunProgress(false);
    }
}
