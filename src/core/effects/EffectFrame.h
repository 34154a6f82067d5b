#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "effects/EffectRegistry.h"

class Bitmap;
class CPictorraDoc;
class CProgress;

// How a session runs an effect's pixel work: runner(progress, work) calls work() once, on any
// thread, and returns when it has returned, cancelling progress meanwhile if the user asks it
// to. work touches nothing but the session's own working copy, so the document may be shown
// (painted) while it runs. The windows run it on the thread pool and show progress; without a
// runner the work runs on the calling thread and cannot be cancelled (the command-line tool).
using EffectRunner = std::function<void(CProgress& progress, const std::function<void()>& work)>;

// One run of an effect of the Effects menu on a document, from the command to OK or Cancel.
// The session does everything to the document that the effect's flow asks for -- lifting the
// selection, the untouched copies, the undo entry, the repaints -- and its dialog is only a
// parameter editor that calls Start, Preview, Accept or Cancel. So the flows run without
// windows: the command-line tool and the tests use them as the menu does.
//
// What each flow does (the target is the lifted fragment when a selection is present, else the
// active layer; a selection is lifted at the start, and the state before the lift is the
// command's undo entry):
//   Direct, DialogThenApply  Accept records the entry and applies once; Cancel does nothing.
//   LiveAdjustment           every Preview recomputes from the untouched pixels. Without a
//                            selection the entry is recorded only by Accept, so Cancel leaves
//                            picture and history exactly as they were; with one, the entry is
//                            made at the start and stays, and Cancel gives the fragment back.
//   SettingDialog            Start applies with the remembered value and every Preview applies
//                            again from the untouched copy, each run adding an entry; the value
//                            is remembered in the document; Cancel puts the untouched copy back
//                            (the entries stay).
//   LivePreview              Start applies the first values, Preview applies new ones from the
//   PreviewDialog            untouched copy (a preview dialog's Start does not apply); Accept
//                            makes one entry holding the picture before the dialog; Cancel puts
//                            the untouched copy back and makes none.
// An effect that works on a selection only (Set Transparency) reports NeedsLayerOpacity from
// Start when no selection could be lifted: the command opens the layer's opacity instead.
//
// Every run computes into a working copy beside the target, which takes the target's place
// only when the run has finished. A run cancelled through the runner's progress leaves
// exactly the untouched pixels in the target and records nothing: a direct effect's (or a
// dialog-then-apply effect's) Accept then changes nothing and returns false, its lift of the
// selection taken back; a cancelled Preview shows the untouched picture and the dialog stays
// open; a cancelled Accept of the other flows ends the session as Cancel does.
class CEffectSession {
public:
    enum class StartResult {
        Started,
        NothingToChange,    // no active layer, or a selection that could not be lifted
        NeedsLayerOpacity,  // a selection-only effect without a selection
    };

    CEffectSession(CPictorraDoc& doc, const EffectInfo& effect);
    // A session still open is cancelled.
    ~CEffectSession();
    CEffectSession(const CEffectSession&) = delete;
    CEffectSession& operator=(const CEffectSession&) = delete;

    const EffectInfo& Effect() const { return m_effect; }
    // The colours of the moment the command started and the program's random sequence.
    const EffectContext& Context() const { return m_context; }
    CPictorraDoc& Document() const { return m_doc; }

    // The values a dialog opens with: the parameters' defaults (the colour filter's from the
    // primary colour), a setting dialog's value as the document remembers it.
    std::vector<int> InitialValues() const;

    // Runs the effect's work through runner from now on (see EffectRunner).
    void SetRunner(EffectRunner runner);

    // Opens the session with the values the dialog shows first.
    StartResult Start(const std::vector<int>& values);
    // The effect with values, computed from the untouched pixels and shown in the document.
    // False when the run was cancelled (or ignored: one is still running).
    bool Preview(const std::vector<int>& values);
    // OK: the result of values stays, with its undo entry. False when nothing changed (a
    // direct effect whose selection could not be lifted, or a cancelled run).
    bool Accept(const std::vector<int>& values);
    // Cancel: the untouched pixels come back.
    void Cancel();

    bool IsOpen() const { return m_bOpen; }

private:
    // Runs the effect on work, through the runner when there is one and work is big enough,
    // with the busy cursor when the work may take a while (busy: always). False when the run
    // was cancelled.
    bool Compute(Bitmap& work, const std::vector<int>& values, bool busy);
    // A copy of from to compute in (null, with the message shown, without the memory).
    std::unique_ptr<Bitmap> WorkingCopy(const Bitmap& from);
    // The finished result takes the place of the document's target.
    void Install(std::unique_ptr<Bitmap> work);
    // The effect computed from untouched and put in the target. False, the target as it
    // was, when cancelled.
    bool ApplyFrom(const Bitmap& untouched, const std::vector<int>& values, bool busy);
    // A direct or dialog-then-apply effect's OK.
    bool AcceptDirect(const std::vector<int>& values);
    // The untouched copy back into the target, pixel for pixel.
    void RestoreOriginal();
    // A setting dialog's run from the untouched copy: the effect, then (when it was not
    // cancelled) the entry and the result.
    bool Run(const std::vector<int>& values);
    // A preview flow's accepted result, recorded as coming from the untouched copy.
    void RecordFromOriginal();
    bool AppliesOnStart() const;
    int* RememberedValue() const;

    CPictorraDoc& m_doc;
    const EffectInfo& m_effect;
    EffectContext m_context;
    bool m_bOpen = false;
    // The live adjustment's entry was made at the start (by the lift).
    bool m_bEntryMade = false;
    // The live adjustment's untouched fragment (null without a selection: the pending copies
    // of the document hold the untouched layer then).
    std::unique_ptr<Bitmap> m_pSourceFragment;
    // The setting and preview dialogs' untouched copy of the target.
    std::unique_ptr<Bitmap> m_pOriginal;
    // The values last applied since the session started (none yet: empty).
    std::optional<std::vector<int>> m_lastValues;
    EffectRunner m_runner;
    bool m_bRunning = false;
    // The pixels the last result replaced, kept to compute the next run in.
    std::unique_ptr<Bitmap> m_pSpare;
};

// Applies effect with values as OK in its dialog leaves it (a direct effect at once), with
// the undo entry: the path of the command-line tool. A selection-only effect without a
// selection changes the whole active layer. False when there was nothing to change.
bool ApplyEffect(CPictorraDoc& doc, const EffectInfo& effect, const std::vector<int>& values);
