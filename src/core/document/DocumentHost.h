#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "effects/RandomSequence.h"

class CPictorraDoc;
class CSelection;

// What changed in a document, told to the windows that show it.
enum DocChange : unsigned {
    kChangeCaches = 1u << 0,       // the layer caches were rebuilt: repaint the picture
    kChangeStack = 1u << 1,        // layers added, removed, reordered or renumbered: the panel
    kChangeActiveLayer = 1u << 2,  // another layer became active
    kChangeImageSize = 1u << 3,    // the picture's size changed: scroll sizes, zoom fit
    kChangeFirstShown = 1u << 4,   // the document was shown for the first time: choose its zoom
    kChangeTitle = 1u << 5,        // title, path or modified flag
    kChangeSelection = 1u << 6,    // the selection outline or the lifted fragment
    kChangeThumbnails = 1u << 7,   // layer pixels changed: the panel's thumbnails follow
};

enum class MessageIcon { Information, Warning, Error, Question };

// The narrow seam through which a document reaches the program around it: the windows that
// show it (told through Changed), the message boxes, the current tool and colours, and the
// settings it reads. The base class is the whole program when nothing is shown: it keeps the
// values itself and collects the messages, which is what the command-line tool and the tests
// use. The windows derive from it and pass the calls on.
class CDocumentHost {
public:
    virtual ~CDocumentHost() = default;

    virtual void Changed(CPictorraDoc& doc, unsigned changes);
    // A short fixed text for the user (a message box in the program, stderr in the tool).
    virtual void ShowMessage(const QString& text, MessageIcon icon = MessageIcon::Warning);

    // The active layer's number lives with the layers panel, one for the whole program; every
    // document reaches it through this pointer and parks its own value while it is inactive.
    virtual int* ActiveLayerNumberStore() { return &m_nActiveLayerNumber; }

    // The current tool state (1 pencil .. 49 gradient dragging).
    virtual int CurrentTool() const { return m_nTool; }
    virtual void SetCurrentTool(int tool) { m_nTool = tool; }

    // The selection outline of doc, which doc's view keeps. Null while doc has no view: the
    // document then keeps one of its own.
    virtual CSelection* SelectionOf(const CPictorraDoc& doc);

    // The text tool's part of doc's view. FinishTextEntry ends any typing (dropping a
    // selection does); MoveTextEntry moves the insertion point with the arrow keys.
    virtual void FinishTextEntry(CPictorraDoc& doc);
    virtual void MoveTextEntry(CPictorraDoc& doc, int dx, int dy);

    // The "History States" setting: undo entries kept per layer.
    virtual int HistoryLimit() const { return m_nHistoryLimit; }

    // The colour bar's two colours, 0xAARRGGBB.
    virtual uint32_t PrimaryColor() const { return m_uPrimary; }
    virtual uint32_t SecondaryColor() const { return m_uSecondary; }
    virtual void SetColors(uint32_t primary, uint32_t secondary) {
        m_uPrimary = primary;
        m_uSecondary = secondary;
    }
    // The colour bar's opacity percentage (0..100). Setting it moves the slider only; the
    // colours keep their alphas (the colour picker sets it from the alpha it picked, with
    // OpacityPercentOfAlpha).
    virtual int Transparency() const { return m_nTransparency; }
    virtual void SetTransparency(int percent) { m_nTransparency = percent; }

    // The program's one random sequence: the noise effects continue it from effect to effect
    // and from document to document. The headless program starts it afresh, so that a run of
    // the command-line tool repeats exactly.
    virtual CRandomSequence& RandomSequence() { return m_random; }

    // Long work on the user's behalf (an effect on a big picture) begins and ends: the windows
    // show the busy cursor in between. Calls nest; the headless program only counts them.
    virtual void BeginBusy() { ++m_nBusy; }
    virtual void EndBusy() { --m_nBusy; }
    int BusyDepth() const { return m_nBusy; }

    void SetHistoryLimit(int limit) { m_nHistoryLimit = limit; }
    // Messages shown so far (headless use).
    const QStringList& Messages() const { return m_messages; }
    void ClearMessages() { m_messages.clear(); }
    // Also write each message to stderr (the command-line tool).
    void SetEchoMessages(bool echo) { m_bEcho = echo; }

protected:
    int m_nActiveLayerNumber = 0;
    int m_nTool = 1;
    int m_nHistoryLimit = 25;
    uint32_t m_uPrimary = 0xFF000000;
    uint32_t m_uSecondary = 0xFFFFFFFF;
    int m_nTransparency = 100;
    QStringList m_messages;
    bool m_bEcho = false;
    CRandomSequence m_random;
    int m_nBusy = 0;
};

// Shows the busy cursor for the lifetime of the object.
class CBusyScope {
public:
    explicit CBusyScope(CDocumentHost& host) : m_host(host) { m_host.BeginBusy(); }
    ~CBusyScope() { m_host.EndBusy(); }
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

private:
    CDocumentHost& m_host;
};
