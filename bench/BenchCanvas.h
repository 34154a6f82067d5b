#pragma once

// The picture and the window the canvas benchmarks share: a 4000 x 3000 picture of ten
// photo-like layers (the fifth active, at 60 % opacity) in a 1280 x 800 canvas view without
// scroll bars, and mouse events sent to it as the user's mouse would send them.
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <memory>

#include "BenchMain.h"
#include "document/PictorraDoc.h"
#include "support/TestPictures.h"
#include "ui/ToolOptions.h"
#include "view/PictorraView.h"
#include "view/ViewFrame.h"

namespace bench {

constexpr int kPictureWidth = 4000, kPictureHeight = 3000, kPictureLayers = 10;

class BenchFrame : public CViewFrame {
public:
    bool IsFrameActive() const override { return true; }
    void SetCaption(const QString&) override {}
    CToolOptions& ToolOptions() override { return m_options; }
    void SetStatusText(const QString&) override {}
    CToolOptions m_options;
};

// The part the program's main frame plays: the frame's tool, the view's selection.
struct BenchHost : CDocumentHost {
    CToolOptions* options = nullptr;
    CPictorraView* view = nullptr;
    int CurrentTool() const override { return options->m_nTool; }
    void SetCurrentTool(int tool) override { options->m_nTool = tool; }
    CSelection* SelectionOf(const CPictorraDoc&) override {
        return view ? &view->Selection() : nullptr;
    }
};

struct BenchCanvas {
    // historyLimit: undo entries kept per layer (each stroke records a 48 MB layer).
    explicit BenchCanvas(int historyLimit = 25) : doc(&host) {
        host.options = &frame.m_options;
        host.SetHistoryLimit(historyLimit);
        doc.OnNewDocument(kPictureWidth, kPictureHeight);
        doc.OnFrameActivated();
        doc.SetLayerBitmap(doc.Layer(1), MakePhotoLike(kPictureWidth, kPictureHeight, 1, false));
        for (int n = 2; n <= kPictureLayers; ++n) {
            doc.SetActiveLayer(n - 1);
            doc.SetLayerBitmap(doc.AddEmptyLayer(),
                               MakePhotoLike(kPictureWidth, kPictureHeight, uint32_t(n), true));
        }
        doc.SetActiveLayer(5);
        doc.Layer(5)->m_nOpacity = 60;
        doc.RebuildLayerCaches();
        view = std::make_unique<CPictorraView>(doc, frame);
        host.view = view.get();
        view->setFrameStyle(0);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->resize(1280, 800);
        view->show();
        view->OnInitialUpdate();
        QApplication::processEvents();
    }
    ~BenchCanvas() { host.view = nullptr; }
    BenchCanvas(const BenchCanvas&) = delete;
    BenchCanvas& operator=(const BenchCanvas&) = delete;

    // Zoom z, scrolled to the middle of the picture.
    void ShowMiddle(float z) {
        view->SetZoom(z);
        view->ScrollTo(
            {view->horizontalScrollBar()->maximum() / 2, view->verticalScrollBar()->maximum() / 2});
        QApplication::processEvents();
    }

    void Send(QEvent::Type type, QPoint client, Qt::MouseButton button, Qt::MouseButtons held) {
        QWidget* w = view->viewport();
        const QPointF p(client);
        QMouseEvent e(type, p, w->mapToGlobal(p), button, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }

    BenchHost host;
    CPictorraDoc doc;
    BenchFrame frame;
    std::unique_ptr<CPictorraView> view;
};

}  // namespace bench
