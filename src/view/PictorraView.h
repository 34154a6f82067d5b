#pragma once

#include <QAbstractScrollArea>
#include <QRect>
#include <memory>

#include "app/CmdTarget.h"

class Bitmap;
class CPictorraDoc;
class CViewFrame;

// The scroll view of one document: the picture on the checkerboard, drawn as three images
// (the composite below the active layer, the active layer through its opacity, the composite
// above), centred on the window's background colour when it is smaller than the window.
// Painting composes only the part of the window that needs it. Zoom 1 for now: the members
// that the zoom will use are in place.
class CPictorraView : public QAbstractScrollArea, public CCmdTarget {
    Q_OBJECT
public:
    CPictorraView(CPictorraDoc& doc, CViewFrame& frame, QWidget* parent = nullptr);
    ~CPictorraView() override;

    CPictorraDoc& GetDocument() const { return m_doc; }

    // The canvas: the size of the below-cache (the largest layer); empty before the document
    // has one.
    QSize CanvasSize() const;

    // The first update: caption with "  Scale: 100%".
    void OnInitialUpdate();
    // Scroll ranges from the zoomed canvas, then the caption "<title>  Scale: <zoom>%".
    void UpdateScrollAndTitle();
    // Centres a canvas smaller than the window.
    void UpdateOrigin();

    // Repaints the part of the picture inside imageRect (image pixels) -- what a stroke touched.
    void InvalidateImageRect(const QRect& imageRect);
    // Repaints the whole picture (the caches were rebuilt).
    void InvalidateImage();

    // Window (viewport) coordinates of an image rectangle, and back.
    QRect ImageToClient(const QRect& imageRect) const;
    QPoint ClientToImage(QPoint client) const;

    // The part of the window the last paint composed, for the tests of partial repainting.
    QRect LastComposedRect() const { return m_rcLastComposed; }

    QSize sizeHint() const override;

    float m_fZoom = 1.0f;     // screen pixels per image pixel
    int m_nFitCounter = 1;    // used when the first zoom of a document is chosen
    float m_fOriginX = 0.0f;  // window position of image pixel (0, 0) when the canvas is
    float m_fOriginY = 0.0f;  // narrower (lower) than the window; 0 otherwise

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // The active layer number this document shows: the shared one while its frame is active,
    // the parked one otherwise.
    int ShownLayerNumber() const;
    // The window rectangle covered by the canvas.
    QRect CanvasOnScreen() const;
    Bitmap& ScreenBuffer(QSize size);

    CPictorraDoc& m_doc;
    CViewFrame& m_frame;
    std::unique_ptr<Bitmap> m_pScreenBuffer;
    QRect m_rcLastComposed;
};
