// Repainting the canvas window: a 1280 x 800 view over a 4000 x 3000 picture of ten layers
// (the fifth active, at 60 % opacity), fully at zoom 0.25, 1 and 8, and the 64 x 64 window
// rectangle a brush stroke damages. Each repaint is the view's own paint into the window's
// backing store: composing the damaged part, drawing it, the grid and the outlines.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "BenchCanvas.h"
#include "document/PictorraDoc.h"
#include "view/PictorraView.h"

namespace {

using Canvas = bench::BenchCanvas;

Canvas& TheCanvas() {
    static Canvas canvas;
    return canvas;
}

void Repaint(benchmark::State& state, float zoom, QRect area) {
    Canvas& c = TheCanvas();
    c.ShowMiddle(zoom);
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

PICTORRA_BENCHMARK_MAIN_WITH(QApplication)
