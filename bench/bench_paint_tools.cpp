// The freehand tools on a 4000 x 3000 picture of ten layers (the fifth active) in a 1280 x 800
// view at zoom 1: strokes of 500 segments, timed per mouse-move event including the repaint
// of the part of the window the segment touched. The press (which records the undo entry)
// and the release are not timed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>
#include <numbers>

#include "BenchCanvas.h"
#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "view/PictorraView.h"

namespace {

constexpr int kSegments = 500;

struct Canvas : bench::BenchCanvas {
    Canvas() : BenchCanvas(2) { ShowMiddle(1.0f); }

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

PICTORRA_BENCHMARK_MAIN_WITH(QApplication)
