// Repainting the canvas window: a 1280 x 800 view over a 4000 x 3000 picture of ten layers
// (the fifth active, at 60 % opacity), fully at zoom 0.25, 1 and 8, and the 64 x 64 window
// rectangle a brush stroke damages. Each repaint is the view's own paint into the window's
// backing store: composing the damaged part, drawing it, the grid and the outlines.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>

#include "app/ToolOptions.h"
#include "document/PictorraDoc.h"
#include "files/FreeImageLibrary.h"
#include "support/TestPictures.h"
#include "view/PictorraView.h"
#include "view/ViewFrame.h"

namespace {

constexpr int kW = 4000, kH = 3000, kLayers = 10;

class BenchFrame : public CViewFrame {
public:
    bool IsFrameActive() const override { return true; }
    void SetCaption(const QString&) override {}
    CToolOptions& ToolOptions() override { return m_options; }
    void SetStatusText(const QString&) override {}
    CToolOptions m_options;
};

struct Canvas {
    Canvas() {
        doc.OnNewDocument(kW, kH);
        doc.OnFrameActivated();
        doc.SetLayerBitmap(doc.Layer(1), MakePhotoLike(kW, kH, 1, false));
        for (int n = 2; n <= kLayers; ++n) {
            doc.SetActiveLayer(n - 1);
            doc.SetLayerBitmap(doc.AddEmptyLayer(), MakePhotoLike(kW, kH, uint32_t(n), true));
        }
        doc.SetActiveLayer(5);
        doc.Layer(5)->m_nOpacity = 60;
        doc.RebuildLayerCaches();
        view = std::make_unique<CPictorraView>(doc, frame);
        view->setFrameStyle(0);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->resize(1280, 800);
        view->show();
        view->OnInitialUpdate();
        QApplication::processEvents();
    }
    CPictorraDoc doc;
    BenchFrame frame;
    std::unique_ptr<CPictorraView> view;
};

Canvas& TheCanvas() {
    static Canvas canvas;
    return canvas;
}

void Repaint(benchmark::State& state, float zoom, QRect area) {
    Canvas& c = TheCanvas();
    c.view->SetZoom(zoom);
    // Somewhere in the middle of the picture.
    c.view->ScrollTo(
        {c.view->horizontalScrollBar()->maximum() / 2, c.view->verticalScrollBar()->maximum() / 2});
    QApplication::processEvents();
    QWidget* viewport = c.view->viewport();
    for (auto _ : state) {
        viewport->repaint(area.isEmpty() ? viewport->rect() : area);
    }
    state.counters["zoom"] = zoom;
}

void BM_FullRepaint(benchmark::State& state) {
    Repaint(state, float(state.range(0)) / 100.0f, QRect());
}
BENCHMARK(BM_FullRepaint)
    ->Arg(25)
    ->Arg(100)
    ->Arg(800)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_FullRepaintWithGrid(benchmark::State& state) {
    TheCanvas().frame.m_options.m_bGrid = 1;
    Repaint(state, 8.0f, QRect());
    TheCanvas().frame.m_options.m_bGrid = 0;
}
BENCHMARK(BM_FullRepaintWithGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UpdateRect64(benchmark::State& state) {
    Repaint(state, float(state.range(0)) / 100.0f, QRect(600, 400, 64, 64));
}
BENCHMARK(BM_UpdateRect64)
    ->Arg(25)
    ->Arg(100)
    ->Arg(800)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CFreeImageLibrary freeImage;
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
