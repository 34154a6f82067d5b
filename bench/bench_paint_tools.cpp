// The freehand tools on a 4000 x 3000 picture of ten layers (the fifth active) in a 1280 x 800
// view at zoom 1: strokes of 500 segments, timed per mouse-move event including the repaint
// of the part of the window the segment touched. The press (which records the undo entry)
// and the release are not timed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <cmath>
#include <numbers>

#include "app/ToolOptions.h"
#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "files/FreeImageLibrary.h"
#include "support/TestPictures.h"
#include "view/PictorraView.h"
#include "view/ViewFrame.h"

namespace {

constexpr int kW = 4000, kH = 3000, kLayers = 10, kSegments = 500;

class BenchFrame : public CViewFrame {
public:
    bool IsFrameActive() const override { return true; }
    void SetCaption(const QString&) override {}
    CToolOptions& ToolOptions() override { return m_options; }
    void SetStatusText(const QString&) override {}
    CToolOptions m_options;
};

struct BenchHost : CDocumentHost {
    CToolOptions* options = nullptr;
    int CurrentTool() const override { return options->m_nTool; }
    void SetCurrentTool(int tool) override { options->m_nTool = tool; }
};

struct Canvas {
    Canvas() : doc(&host) {
        host.options = &frame.m_options;
        // Each stroke records the 48 MB layer: keep few of them.
        host.SetHistoryLimit(2);
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
        view->SetZoom(1.0f);
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
    // The stroke: a circle of radius 300 window pixels in the middle of the window, 500
    // segments of about 4 pixels, as a quick hand moves the mouse.
    static QPoint StrokePoint(int i) {
        const double a = 2 * std::numbers::pi * i / kSegments;
        return {640 + int(std::lround(300 * std::cos(a))),
                400 + int(std::lround(300 * std::sin(a)))};
    }
    void BeginStroke() {
        Send(QEvent::MouseButtonPress, StrokePoint(0), Qt::LeftButton, Qt::LeftButton);
        QApplication::processEvents();
    }
    void Move(int i) {
        Send(QEvent::MouseMove, StrokePoint(i), Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents();  // the repaint of what the segment touched
    }
    void EndStroke() {
        Send(QEvent::MouseButtonRelease, StrokePoint(0), Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
    }

    QRect lastComposed;
    int repaints = 0;
    BenchHost host;
    CPictorraDoc doc;
    BenchFrame frame;
    std::unique_ptr<CPictorraView> view;
};

Canvas& TheCanvas() {
    static Canvas canvas;
    return canvas;
}

// Every iteration is one mouse move of a 500-segment stroke; a new stroke begins after each.
void StrokeMoves(benchmark::State& state) {
    Canvas& c = TheCanvas();
    int i = 0;
    for (auto _ : state) {
        if (i % kSegments == 0) {
            state.PauseTiming();
            if (i > 0) {
                c.EndStroke();
            }
            c.BeginStroke();
            state.ResumeTiming();
        }
        c.Move(1 + i % kSegments);
        if (c.view->LastComposedRect() != c.lastComposed) {
            c.lastComposed = c.view->LastComposedRect();
            ++c.repaints;
        }
        ++i;
    }
    c.EndStroke();
    state.counters["repaints"] = c.repaints;
    state.counters["area"] = c.lastComposed.width() * c.lastComposed.height();
    c.repaints = 0;
}

void BM_PencilMove(benchmark::State& state) {
    TheCanvas().frame.m_options.m_nTool = ToolPencil;
    TheCanvas().frame.m_options.m_nPencilShape = int(state.range(0));
    StrokeMoves(state);
    state.counters["tip"] = double(state.range(0));
}
BENCHMARK(BM_PencilMove)
    ->Arg(0)
    ->Arg(3)
    ->Arg(9)
    ->Iterations(kSegments)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

void BM_BrushMove(benchmark::State& state) {
    TheCanvas().frame.m_options.m_nTool = ToolBrush;
    TheCanvas().frame.m_options.m_nBrushSize = int(state.range(0));
    StrokeMoves(state);
    state.counters["size"] = double(state.range(0));
}
BENCHMARK(BM_BrushMove)
    ->Arg(0)
    ->Arg(3)
    ->Iterations(kSegments)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

void BM_EraserMove(benchmark::State& state) {
    TheCanvas().frame.m_options.m_nTool = ToolEraser;
    TheCanvas().frame.m_options.m_nEraserSize = 3;
    StrokeMoves(state);
}
BENCHMARK(BM_EraserMove)->Iterations(kSegments)->Unit(benchmark::kMicrosecond)->UseRealTime();

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
