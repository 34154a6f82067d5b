#include "effects/EffectFrame.h"

#include <cstring>
#include <utility>

#include "document/PictorraDoc.h"
#include "platform/Bitmap.h"

namespace {

const QString kMsgNoMemoryForEffect =
    QStringLiteral("There is not enough memory to apply the effect.");

// Previews of pictures from this size on may take long enough to want the busy cursor; below
// it every effect answers at once, and a cursor flickering at each slider step would only
// distract.
constexpr int64_t kBusyPreviewPixels = 512 * 512;

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

void CEffectSession::Apply(const std::vector<int>& values, bool busy) {
    Bitmap* target = m_doc.ResolveEffectTarget();
    if (!target) {
        return;
    }
    busy = busy || int64_t(target->Width()) * target->Height() >= kBusyPreviewPixels;
    if (busy) {
        CBusyScope scope(m_doc.Host());
        m_effect.apply(*target, values, m_context);
    } else {
        m_effect.apply(*target, values, m_context);
    }
    m_lastValues = values;
}

void CEffectSession::RestoreOriginal() {
    if (Bitmap* target = m_doc.ResolveEffectTarget(); target && m_pOriginal) {
        // Copied, not blended over the last result: every application starts from exactly the
        // untouched pixels, semi-transparent ones included.
        CopyPixels(*target, *m_pOriginal);
    }
}

void CEffectSession::Run(const std::vector<int>& values) {
    // The selection tools' rectangle before a move is the rectangle the effect ran in.
    m_doc.m_rcSelectionPrev = m_doc.m_rcSelection;
    m_doc.RecordEffectUndo();
    Apply(values, true);
    if (int* remembered = RememberedValue(); remembered && !values.empty()) {
        *remembered = values[0];
    }
    m_doc.FinishEffect();
}

void CEffectSession::Preview(const std::vector<int>& values) {
    if (!m_bOpen) {
        return;
    }
    switch (m_effect.flow) {
        case EffectFlow::Direct:
        case EffectFlow::DialogThenApply:
            return;

        case EffectFlow::LiveAdjustment:
            if (m_pSourceFragment) {
                auto fragment = m_pSourceFragment->Clone();
                if (!fragment) {
                    m_doc.Host().ShowMessage(kMsgNoMemoryForEffect);
                    return;
                }
                m_doc.m_pFragment = std::move(fragment);
            } else {
                m_doc.RestorePendingUndo();
            }
            Apply(values, false);
            m_doc.RebuildLayerCaches();
            m_doc.Notify(m_pSourceFragment ? kChangeSelection : 0u);
            return;

        case EffectFlow::SettingDialog:
            RestoreOriginal();
            Run(values);
            return;

        case EffectFlow::LivePreview:
        case EffectFlow::PreviewDialog:
            RestoreOriginal();
            Apply(values, m_effect.flow == EffectFlow::PreviewDialog);
            m_doc.ClipFragmentToSelection();
            m_doc.FinishEffect();
            return;
    }
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

bool CEffectSession::Accept(const std::vector<int>& values) {
    if (!m_bOpen) {
        return false;
    }
    bool changed = true;
    switch (m_effect.flow) {
        case EffectFlow::Direct:
        case EffectFlow::DialogThenApply:
            m_doc.BeginEffect();
            m_doc.m_rcSelectionPrev = m_doc.m_rcSelection;
            changed = m_doc.LiftSelectionForEffect();
            if (changed) {
                m_doc.RecordEffectUndo();
                Apply(values, true);
            }
            break;

        case EffectFlow::LiveAdjustment:
            if (m_lastValues != values) {
                Preview(values);
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
            if (m_lastValues != values) {
                Preview(values);
            }
            break;

        case EffectFlow::LivePreview:
        case EffectFlow::PreviewDialog:
            // A preview dialog's OK applies exactly as its Preview button does.
            if (m_lastValues != values || m_effect.flow == EffectFlow::PreviewDialog) {
                Preview(values);
            }
            RecordFromOriginal();
            break;
    }
    m_bOpen = false;
    m_pOriginal.reset();
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
    if (!m_bOpen) {
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
