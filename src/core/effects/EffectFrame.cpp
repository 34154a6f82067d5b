#include "effects/EffectFrame.h"

#include <cstring>
#include <optional>
#include <utility>

#include "document/PictorraDoc.h"
#include "platform/Bitmap.h"
#include "platform/Progress.h"

namespace {

const QString kMsgNoMemoryForEffect =
    QStringLiteral("There is not enough memory to apply the effect.");

// Previews of pictures from this size on may take long enough to want the busy cursor; below
// it every effect answers at once, and a cursor flickering at each slider step would only
// distract.
constexpr int64_t kBusyPreviewPixels = 512 * 512;

// Below this size an effect runs on the calling thread even when a runner is set: it ends
// before anyone could cancel it, and a round through the runner would only cost time.
constexpr int64_t kRunnerPixels = 256 * 256;

// The untouched pixels back into target, which has their size.
void CopyPixels(Bitmap& target, const Bitmap& source) {
    if (target.Size() == source.Size()) {
        std::memcpy(target.Bits(), source.Bits(), size_t(source.ByteCount()));
    }
}

}  // namespace

CEffectSession::CEffectSession(CPictorraDoc& doc, const EffectInfo& effect)
    : m_doc(doc), m_effect(effect) {
    CDocumentHost& host = doc.Host();
    // The colours as the command found them; the dialog keeps them while it is open.
    m_context = EffectContext{host.PrimaryColor(), host.SecondaryColor(), &host.RandomSequence()};
}

CEffectSession::~CEffectSession() {
    Cancel();
}

int* CEffectSession::RememberedValue() const {
    // The document keeps the last blur and mosaic sizes for as long as it is open.
    if (m_effect.flow != EffectFlow::SettingDialog) {
        return nullptr;
    }
    if (m_effect.name == QLatin1String("blur")) {
        return &m_doc.m_nBlurSize;
    }
    if (m_effect.name == QLatin1String("mosaic")) {
        return &m_doc.m_nMosaicSize;
    }
    return nullptr;
}

std::vector<int> CEffectSession::InitialValues() const {
    std::vector<int> values = m_effect.DefaultValues(m_context);
    const int* remembered = RememberedValue();
    if (remembered && !values.empty() && m_effect.parameters[0].Accepts(*remembered)) {
        values[0] = *remembered;
    }
    return values;
}

bool CEffectSession::AppliesOnStart() const {
    return m_effect.flow == EffectFlow::LivePreview;
}

CEffectSession::StartResult CEffectSession::Start(const std::vector<int>& values) {
    if (m_bOpen) {
        return StartResult::Started;
    }
    if (!m_doc.ActiveLayer() || !m_doc.m_pActiveBitmap) {
        return StartResult::NothingToChange;
    }
    m_lastValues.reset();
    m_bEntryMade = false;
    if (m_effect.flow == EffectFlow::Direct || m_effect.flow == EffectFlow::DialogThenApply) {
        // Nothing changes before the values are known.
        m_bOpen = true;
        return StartResult::Started;
    }
    m_doc.BeginEffect();

    switch (m_effect.flow) {
        case EffectFlow::Direct:
        case EffectFlow::DialogThenApply:
            break;

        case EffectFlow::LiveAdjustment: {
            if (!m_doc.LiftSelectionForEffect()) {
                return StartResult::NothingToChange;
            }
            if (m_doc.m_pFragment) {
                // With a selection the entry is made now (before the lift, when this command
                // lifted) and stays whatever the dialog's answer.
                m_doc.RecordEffectUndo();
                m_bEntryMade = true;
                m_pSourceFragment = m_doc.m_pFragment->Clone();
                if (!m_pSourceFragment) {
                    m_doc.Host().ShowMessage(kMsgNoMemoryForEffect);
                    return StartResult::NothingToChange;
                }
            } else {
                // Without one the untouched layer waits in the pending copies; only OK makes
                // them an entry (unless the lift made one already).
                m_bEntryMade = std::exchange(m_doc.m_bEffectLiftRecorded, false);
                m_doc.SavePendingUndo();
                if (!m_doc.m_pPendingUndo) {
                    return StartResult::NothingToChange;  // the document said why
                }
            }
            m_bOpen = true;
            return StartResult::Started;
        }

        case EffectFlow::SettingDialog:
        case EffectFlow::LivePreview:
        case EffectFlow::PreviewDialog: {
            if (!m_doc.LiftSelectionForEffect()) {
                return StartResult::NothingToChange;
            }
            if (m_effect.selectionOnly && !m_doc.m_pFragment) {
                m_doc.m_bEffectLiftRecorded = false;
                return StartResult::NeedsLayerOpacity;
            }
            m_pOriginal = m_doc.ResolveEffectTarget()->Clone();
            if (!m_pOriginal) {
                m_doc.Host().ShowMessage(kMsgNoMemoryForEffect);
                return StartResult::NothingToChange;
            }
            m_bOpen = true;
            if (m_effect.flow == EffectFlow::SettingDialog) {
                Run(values);
            } else if (AppliesOnStart()) {
                Preview(values);
            }
            return StartResult::Started;
        }
    }
    return StartResult::NothingToChange;
}

void CEffectSession::SetRunner(EffectRunner runner) {
    m_runner = std::move(runner);
}

bool CEffectSession::Compute(Bitmap& work, const std::vector<int>& values, bool busy) {
    const int64_t pixels = int64_t(work.Width()) * work.Height();
    std::optional<CBusyScope> scope;
    if (busy || pixels >= kBusyPreviewPixels) {
        scope.emplace(m_doc.Host());
    }
    if (!m_runner || pixels < kRunnerPixels) {
        m_effect.apply(work, values, m_context);
        return true;
    }
    CProgress progress;
    progress.SetTotal(work.Height());
    EffectContext context = m_context;
    context.progress = &progress;
    m_bRunning = true;
    m_runner(progress, [&] { m_effect.apply(work, values, context); });
    m_bRunning = false;
    return !progress.IsCancelled();
}

std::unique_ptr<Bitmap> CEffectSession::WorkingCopy(const Bitmap& from) {
    std::unique_ptr<Bitmap> work = std::move(m_pSpare);
    if (work && work->Size() == from.Size()) {
        CopyPixels(*work, from);
        return work;
    }
    work = from.Clone();
    if (!work) {
        m_doc.Host().ShowMessage(kMsgNoMemoryForEffect);
    }
    return work;
}

void CEffectSession::Install(std::unique_ptr<Bitmap> work) {
    // The pixels the result replaces are the next run's working memory.
    if (m_doc.m_pFragment) {
        m_pSpare = std::exchange(m_doc.m_pFragment, std::move(work));
    } else if (CLayerFrame* layer = m_doc.ActiveLayer()) {
        m_pSpare = m_doc.SetLayerBitmap(layer, std::move(work));
    }
}

bool CEffectSession::ApplyFrom(const Bitmap& untouched, const std::vector<int>& values, bool busy) {
    std::unique_ptr<Bitmap> work = WorkingCopy(untouched);
    if (!work || !Compute(*work, values, busy)) {
        m_pSpare = std::move(work);
        return false;
    }
    Install(std::move(work));
    m_lastValues = values;
    return true;
}

void CEffectSession::RestoreOriginal() {
    if (Bitmap* target = m_doc.ResolveEffectTarget(); target && m_pOriginal) {
        // Copied, not blended over the last result: every application starts from exactly the
        // untouched pixels, semi-transparent ones included.
        CopyPixels(*target, *m_pOriginal);
    }
}

bool CEffectSession::Run(const std::vector<int>& values) {
    std::unique_ptr<Bitmap> work = WorkingCopy(*m_pOriginal);
    if (!work || !Compute(*work, values, true)) {
        // Cancelled: the untouched pixels, and no entry.
        m_pSpare = std::move(work);
        RestoreOriginal();
        m_lastValues.reset();
        m_doc.FinishEffect();
        return false;
    }
    // The entry holds the untouched picture the run started from.
    RestoreOriginal();
    // The selection tools' rectangle before a move is the rectangle the effect ran in.
    m_doc.m_rcSelectionPrev = m_doc.m_rcSelection;
    m_doc.RecordEffectUndo();
    Install(std::move(work));
    m_lastValues = values;
    if (int* remembered = RememberedValue(); remembered && !values.empty()) {
        *remembered = values[0];
    }
    m_doc.FinishEffect();
    return true;
}

bool CEffectSession::Preview(const std::vector<int>& values) {
    // A preview asked for while one runs (the windows keep working meanwhile) waits for the
    // next change.
    if (!m_bOpen || m_bRunning) {
        return false;
    }
    switch (m_effect.flow) {
        case EffectFlow::Direct:
        case EffectFlow::DialogThenApply:
            return true;

        case EffectFlow::LiveAdjustment: {
            // The untouched pixels: the source fragment, else the pending copy of the layer.
            const Bitmap* untouched =
                m_pSourceFragment ? m_pSourceFragment.get() : m_doc.m_pPendingUndo.get();
            if (!untouched) {
                return false;
            }
            const bool done = ApplyFrom(*untouched, values, false);
            if (!done && m_lastValues) {
                // Cancelled: the last preview goes too, the picture is the untouched one.
                if (m_pSourceFragment) {
                    if (auto fragment = m_pSourceFragment->Clone()) {
                        m_doc.m_pFragment = std::move(fragment);
                    }
                } else {
                    m_doc.RestorePendingUndo();
                }
                m_lastValues.reset();
            }
            m_doc.RebuildLayerCaches();
            m_doc.Notify(m_pSourceFragment ? kChangeSelection : 0u);
            return done;
        }

        case EffectFlow::SettingDialog:
            return Run(values);

        case EffectFlow::LivePreview:
        case EffectFlow::PreviewDialog: {
            const bool done =
                ApplyFrom(*m_pOriginal, values, m_effect.flow == EffectFlow::PreviewDialog);
            if (done) {
                m_doc.ClipFragmentToSelection();
            } else {
                RestoreOriginal();
                m_lastValues.reset();
            }
            m_doc.FinishEffect();
            return done;
        }
    }
    return false;
}

void CEffectSession::RecordFromOriginal() {
    if (m_doc.m_bEffectLiftRecorded) {
        // The state before this command's lift is the entry already.
        m_doc.RecordEffectUndo();
        return;
    }
    // The entry must show the picture before the dialog: the untouched copy takes the
    // result's place while the entry is recorded (swapped, not copied).
    if (m_doc.m_pFragment) {
        std::swap(m_doc.m_pFragment, m_pOriginal);
        m_doc.RecordEffectUndo();
        std::swap(m_doc.m_pFragment, m_pOriginal);
    } else if (CLayerFrame* layer = m_doc.ActiveLayer()) {
        auto result = m_doc.SetLayerBitmap(layer, std::move(m_pOriginal));
        m_doc.RecordEffectUndo();
        m_pOriginal = m_doc.SetLayerBitmap(layer, std::move(result));
    }
}

bool CEffectSession::AcceptDirect(const std::vector<int>& values) {
    m_doc.BeginEffect();
    m_doc.m_rcSelectionPrev = m_doc.m_rcSelection;
    const bool modified = m_doc.IsModified();
    if (!m_doc.LiftSelectionForEffect()) {
        return false;
    }
    // The result is made beside the target, so that a cancelled run leaves the target as it
    // was; the entry is recorded once the result is there, before it takes the target's place.
    std::unique_ptr<Bitmap> work = WorkingCopy(*m_doc.ResolveEffectTarget());
    if (!work || !Compute(*work, values, true)) {
        if (m_doc.m_bEffectLiftRecorded) {
            m_doc.TakeBackEffectLift(modified);
        }
        return false;
    }
    m_doc.RecordEffectUndo();
    Install(std::move(work));
    m_lastValues = values;
    return true;
}

bool CEffectSession::Accept(const std::vector<int>& values) {
    if (!m_bOpen || m_bRunning) {
        return false;
    }
    bool changed = true;
    switch (m_effect.flow) {
        case EffectFlow::Direct:
        case EffectFlow::DialogThenApply:
            changed = AcceptDirect(values);
            break;

        case EffectFlow::LiveAdjustment:
            if (m_lastValues != values && !Preview(values)) {
                Cancel();
                return false;
            }
            if (m_pSourceFragment) {
                m_pSourceFragment.reset();
            } else if (m_bEntryMade) {
                m_doc.DiscardPendingUndo();
            } else {
                m_doc.CommitPendingUndo();
            }
            break;

        case EffectFlow::SettingDialog:
            if (m_lastValues != values && !Preview(values)) {
                Cancel();
                return false;
            }
            break;

        case EffectFlow::LivePreview:
        case EffectFlow::PreviewDialog:
            // A preview dialog's OK applies exactly as its Preview button does.
            if ((m_lastValues != values || m_effect.flow == EffectFlow::PreviewDialog) &&
                !Preview(values)) {
                Cancel();
                return false;
            }
            RecordFromOriginal();
            break;
    }
    m_bOpen = false;
    m_pOriginal.reset();
    m_pSpare.reset();
    m_doc.m_bEffectLiftRecorded = false;
    if (changed && m_doc.m_pFragment) {
        // The tools that scale or move the fragment start from its untouched copy: that is
        // the result now, or their next step would take the effect back.
        m_doc.Selection().m_pFragmentOriginal = m_doc.m_pFragment->Clone();
    }
    m_doc.FinishEffect();
    return changed;
}

void CEffectSession::Cancel() {
    if (!m_bOpen || m_bRunning) {
        return;
    }
    m_bOpen = false;
    switch (m_effect.flow) {
        case EffectFlow::Direct:
        case EffectFlow::DialogThenApply:
            break;

        case EffectFlow::LiveAdjustment:
            if (m_pSourceFragment) {
                m_doc.m_pFragment = std::move(m_pSourceFragment);
            } else {
                if (m_lastValues) {
                    m_doc.RestorePendingUndo();
                }
                m_doc.DiscardPendingUndo();
            }
            break;

        case EffectFlow::SettingDialog:
        case EffectFlow::LivePreview:
        case EffectFlow::PreviewDialog:
            RestoreOriginal();
            break;
    }
    m_pOriginal.reset();
    m_pSpare.reset();
    m_doc.m_bEffectLiftRecorded = false;
    m_doc.FinishEffect();
}

bool ApplyEffect(CPictorraDoc& doc, const EffectInfo& effect, const std::vector<int>& values) {
    CEffectSession session(doc, effect);
    switch (session.Start(values)) {
        case CEffectSession::StartResult::NothingToChange:
            return false;
        case CEffectSession::StartResult::NeedsLayerOpacity: {
            // Without windows there is no opacity dialog: the layer's own pixels change.
            doc.RecordEffectUndo();
            CBusyScope busy(doc.Host());
            effect.apply(*doc.ResolveEffectTarget(), values, session.Context());
            doc.FinishEffect();
            return true;
        }
        case CEffectSession::StartResult::Started:
            return session.Accept(values);
    }
    return false;
}
