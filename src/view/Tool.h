#pragma once

#include <QCursor>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <optional>

class CPictorraDoc;
class CPictorraView;
class QPainter;
struct CToolOptions;

// One mouse or key event as a tool sees it. The view fills it in at every event from the main
// frame's current state; nothing in it is kept between events.
struct CToolEvent {
    CPictorraView& view;
    CPictorraDoc& doc;
    CToolOptions& options;  // the main frame's tool state and options
    int tool;               // the tool state at the time of the event (options.m_nTool)
    QPoint client;          // window (viewport) pixels
    QPoint image;           // image pixels
    QPoint layer;           // pixels of the active layer's bitmap (image minus its offset)
    // The colours of the button that acts: the primary colour first for the left button, the
    // secondary colour first for the right button.
    uint32_t firstColor = 0;
    uint32_t secondColor = 0;
    bool rightButton = false;
};

// What a tool draws over the picture after the view painted the picture and the selection
// outlines: rubber bands, shape previews, brush outlines. The painter draws in window pixels,
// clipped to the part of the window being repainted.
struct CToolPaint {
    CPictorraView& view;
    CPictorraDoc& doc;
    CToolOptions& options;
    int tool;
};

// A tool: what the mouse and the keys do in the view while one of its states is current. The
// view runs the steps every tool shares (coordinates, capture, the colours, the status text,
// the cursor table, Esc, Alt turning painting tools into the colour picker, the modifier
// flags) and calls these hooks for the rest. One object serves every state of its tool and
// lives as long as its view, so it may keep a stroke's state between events.
class CTool {
public:
    virtual ~CTool() = default;

    // Before the press: the selection tools' modifier keys, the resize handles and the press
    // outside a moved selection. False stops the press there (the view captures nothing).
    virtual bool BeforePress(CToolEvent&) { return true; }
    // The left button went down (after the view captured the mouse).
    virtual void OnPress(CToolEvent&) {}
    // The mouse moved while the left button is held, or in the drawing states that follow the
    // mouse without a button; also while only the right button is held (rightButton set).
    virtual void OnMove(CToolEvent&) {}
    // The left button came up after a press in the view.
    virtual void OnRelease(CToolEvent&) {}
    // The right button went down / came up.
    virtual void OnRightPress(CToolEvent&) {}
    virtual void OnRightRelease(CToolEvent&) {}
    // A move while a resize handle of the selection is dragged (the view's m_bResizing).
    virtual void OnResize(CToolEvent&) {}
    // The mouse moved with no button held: hover feedback. True when the tool repainted or
    // did all that this move needs.
    virtual bool OnHover(CToolEvent&) { return false; }

    // Keys the view does not handle itself (Enter goes here too). True when handled.
    virtual bool OnKeyDown(CToolEvent&, int /*key*/) { return false; }
    // Typed text (the text tool).
    virtual void OnChar(CToolEvent&, const QString& /*text*/) {}
    // A timer the tool started with CPictorraView::StartToolTimer.
    virtual void OnTimer(CToolEvent&, int /*id*/) {}

    // The cursor over the picture, when the tool has one of its own for the point (the
    // selection handles, for example); otherwise the view's table decides.
    virtual std::optional<QCursor> CursorAt(CToolEvent&) { return std::nullopt; }
    // Draws the tool's overlays.
    virtual void PaintOverlay(QPainter&, CToolPaint&) {}

    // The zoom or the scroll position changed: window positions the tool keeps (the text
    // tool's caret) move.
    virtual void OnViewChanged(CPictorraView&) {}
    // The primary colour or the opacity was changed on the colour bar while this tool's
    // state is current: the text being typed is drawn again in the new colour.
    virtual void OnColorsChanged(CPictorraView&) {}

    // The text tool's typing, reached through the view from the document (the host's
    // FinishTextEntry and MoveTextEntry): ended and committed as one step, its insertion
    // point moved. Other tools have no typing.
    virtual void FinishTextEntry(CPictorraView&) {}
    virtual void MoveTextEntry(CPictorraView&, int /*dx*/, int /*dy*/) {}

    // The view's tool state is about to change away from this tool, or the view goes away:
    // end whatever is in progress without leaving a half-made change behind.
    virtual void Deactivate(CPictorraView&) {}
};
