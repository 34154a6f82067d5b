#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QFont>
#include <QLine>
#include <QRect>
#include <QRegion>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "document/Selection.h"
#include "platform/Rect.h"
#include "ui/CmdTarget.h"
#include "view/ScreenCompose.h"
#include "view/ToolRegistry.h"

class Bitmap;
class CPictorraDoc;
class CViewFrame;
struct CToolOptions;

// The scroll view of one document: the picture at a zoom on the checkerboard, drawn as three
// images (the composite below the active layer, the active layer through its opacity, the
// composite above) and the lifted fragment, centred on the window's background colour when
// it is smaller than the window; over it the grid, the selection outlines and the tools'
// overlays. Painting composes only the part of the window that needs it. Mouse and key
// events go to the tool of the current tool state (CTool), which the view reads from the main
// frame at every event. The view owns the selection outline of its document.
class CPictorraView : public QAbstractScrollArea, public CCmdTarget {
    Q_OBJECT
public:
    // tools: the tools the view dispatches to (the program's list unless a test passes one).
    CPictorraView(CPictorraDoc& doc, CViewFrame& frame, QWidget* parent = nullptr,
                  const CToolRegistry& tools = ProgramTools());
    ~CPictorraView() override;

    CPictorraDoc& GetDocument() const { return m_doc; }
    CViewFrame& Frame() const { return m_frame; }
    // The main frame's current tool state and options.
    CToolOptions& Options() const;
    int CurrentTool() const;
    void SetCurrentTool(int tool);

    // The canvas: the size of the below-cache (the largest layer); empty before the document
    // has one.
    QSize CanvasSize() const;

    // --- Zoom and scrolling ---------------------------------------------------------------
    // The first update: caption with "  Scale: 100%".
    void OnInitialUpdate();
    // Scroll ranges from the zoomed canvas, then the caption "<title>  Scale: <zoom>%".
    void UpdateScrollAndTitle();
    // Centres a canvas smaller than the window.
    void UpdateOrigin();
    // Zoom In and Zoom Out: the next step up or down (ZoomSteps.h).
    void ZoomIn();
    void ZoomOut();
    // Any zoom (clamped to the steps' range). The image point shown at the window point
    // anchor stays there when it can; by default the middle of the window.
    void SetZoom(float zoom, std::optional<QPoint> anchor = std::nullopt);
    // The zoom a new picture is first shown at, for a main window whose client area is
    // mainClientWidth wide: halved, thirded, ... until the picture fits beside the panels.
    void ChooseFirstZoom(int mainClientWidth);
    // Region zoom: rect (layer pixels of the active layer) fills the window.
    void ZoomToRegion(const QRect& layerRect);
    // Scrolls so that window pixel (0, 0) shows the zoomed picture's pixel position.
    void ScrollTo(QPoint position);
    QPoint ScrollPosition() const;

    // --- Repainting -----------------------------------------------------------------------
    // Repaints the part of the window showing imageRect (image pixels): what a stroke touched.
    void InvalidateImageRect(const QRect& imageRect);
    // Repaints a rectangle of the window.
    void InvalidateClientRect(const QRect& clientRect);
    // Repaints the whole window (the caches were rebuilt, the zoom changed).
    void InvalidateImage();

    // --- Coordinates ------------------------------------------------------------------------
    // How window pixels meet image pixels now.
    ScreenMapping Mapping() const;
    // Window (viewport) rectangle covering an image rectangle, and the image pixel under a
    // window pixel.
    QRect ImageToClient(const QRect& imageRect) const;
    QPoint ClientToImage(QPoint client) const;
    // The same for the active layer's pixels.
    QPoint ClientToLayer(QPoint client) const;
    QPoint LayerToClient(QPoint layer) const;
    // The window rectangle covered by the canvas.
    QRect CanvasOnScreen() const;

    // --- For the tools ----------------------------------------------------------------------
    // The selection outline of this view's document (the document reaches it through its
    // host).
    CSelection& Selection() { return m_Selection; }
    // Status pane 1.
    void SetStatusText(const QString& text);
    QString StatusText() const { return m_strStatus; }
    // Timers of a tool (the spray): OnTimer(id) of the current tool every milliseconds.
    void StartToolTimer(int id, int milliseconds);
    void KillToolTimer(int id);
    bool IsToolTimerRunning(int id) const;
    // The tool serving state (null when none).
    CTool* ToolFor(int state) { return m_tools.ToolFor(state); }
    // Mouse capture: the view keeps the mouse events until released (Qt grabs the mouse for
    // a pressed button by itself; these keep the tools' own steps readable).
    void SetCapture() { m_bCaptured = true; }
    void ReleaseCapture() { m_bCaptured = false; }
    bool HasCapture() const { return m_bCaptured; }
    // Builds a CToolEvent for the window point client.
    CToolEvent MakeEvent(QPoint client, bool rightButton);
    // The cursor the view shows at the window point client now.
    QCursor CursorAt(QPoint client);
    // Re-reads the cursor for the mouse position.
    void UpdateCursor();
    // The main frame chose another tool: the tool used before ends what it had in progress,
    // its overlay goes, and the cursor follows.
    void ToolStateChanged();
    // Tells the current tool that the zoom or the scroll position changed (the text tool puts
    // its caret back over the insertion point).
    void PlaceCaret();
    // Discards the lasso or scissor polyline and the scissor anchors.
    void DiscardPolyline();
    // The text tool's typing: ends it (the typed line becomes one undo step), moves its
    // insertion point. The document's host calls these.
    void FinishTextEntry();
    void MoveTextEntry(int dx, int dy);
    // The Font command: the text tool's font from the font dialog.
    void ChooseTextFont();

    // The part of the window the last paint composed, for the tests of partial repainting.
    QRect LastComposedRect() const { return m_rcLastComposed; }

    QSize sizeHint() const override;

    // --- State -------------------------------------------------------------------------------
    float m_fZoom = 1.0f;     // screen pixels per image pixel
    int m_nFitCounter = 1;    // used when the first zoom of a document is chosen
    float m_fOriginX = 0.0f;  // window position of image pixel (0, 0) when the canvas is
    float m_fOriginY = 0.0f;  // narrower (lower) than the window; 0 otherwise

    QPoint m_ptPrevious, m_ptCurrent;  // previous and current mouse position, window pixels
    QPoint m_ptPress;                  // window position of the last left press
    QPoint m_ptPressImage;             // image position of the last press
    QPoint m_ptAnchor;                 // layer position of the press; while dragging, the cursor's
    int m_bLeftDrag = 0;               // the left / right button went down in the view and is held
    int m_bRightDrag = 0;
    int m_bResizing = 0;      // a handle of the selection rectangle is dragged
    int m_nResizeHandle = 0;  // 1..8 clockwise from the top-left corner
    int m_nGrabHandle = 0;
    int m_bSubtractMode = 0, m_bCutMode = 0, m_bAddMode = 0;  // modes of the selection tools
    CRect m_rcCombine;                    // the rectangle dragged to add or subtract
    std::vector<QPoint> m_arrPathPoints;  // lasso, free lasso and scissor polyline, image pixels
    std::vector<int> m_arrAnchors;        // scissor anchors: indices into m_arrPathPoints
    int m_nEditAnchor = 0;
    QFont m_TextFont;                // the text tool's font
    QPoint m_ptText;                 // text insertion point, image pixels
    QPoint m_ptStampSource{-1, -1};  // stamp source; (-1, -1) is none
    QPoint m_ptStampOffset;
    std::unique_ptr<Bitmap> m_pStampSnapshot;
    QPoint m_ptDragStart, m_ptDragEnd;  // region-zoom and gradient drags, layer pixels
    int m_nGradientAlpha1 = 255, m_nGradientAlpha2 = 255;
    CSelection m_Selection;  // the selection outline (the document's, kept here)

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void RegisterCommands();
    // The active layer number this document shows: the shared one while its frame is active,
    // the parked one otherwise.
    int ShownLayerNumber() const;
    Bitmap& ScreenBuffer(QSize size);
    // The tool of the current state, telling the tool used before when it changed.
    CTool* CurrentToolObject();
    // Every button and move message first moves m_ptCurrent to m_ptPrevious.
    void TrackPoint(QPoint client);

    void OnLeftDown(QPoint client);
    void OnLeftUp(QPoint client);
    void OnRightDown(QPoint client);
    void OnRightUp(QPoint client);
    void OnMove(QPoint client, Qt::MouseButtons buttons);

    // Alt turns the painting tools into the colour picker while it is held.
    void OnAltDown();
    void OnAltUp(bool systemKey);
    // A tool parked by Alt comes back.
    void RestoreParkedTool();
    void OnEscape();

    // Painting steps over the composed picture.
    void PaintGrid(QPainter& painter, const QRect& update);
    void PaintSelection(QPainter& painter, const QRect& update);
    // The outline of the selection region in image pixels, kept while the region stays.
    const std::vector<QLine>& SelectionOutline();
    void ShowSelectionSizeStatus();

    CPictorraDoc& m_doc;
    CViewFrame& m_frame;
    CToolSet m_tools;
    CTool* m_pLastTool = nullptr;
    std::unique_ptr<Bitmap> m_pScreenBuffer;
    QRect m_rcLastComposed;
    QString m_strStatus;
    bool m_bCaptured = false;
    std::map<int, QBasicTimer> m_toolTimers;
    QRegion m_rgnOutlineOf;  // the region SelectionOutline was computed from
    std::vector<QLine> m_outline;
    bool m_bInitialUpdateDone = false;
};
