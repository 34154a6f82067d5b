// The selection tools on a 4000 x 3000 picture of ten layers (the fifth active) in a 1280 x 800
// view at zoom 1: a free-lasso stroke of 100 points, timed per mouse-move event including the
// repaint of the part of the window it touched, and the release that makes the selection;
// and the scissor's edge map, its first segment and one segment search.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>
#include <numbers>

#include "BenchCanvas.h"
#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "paint/LiveWire.h"
#include "view/PictorraView.h"

namespace {

constexpr int kStrokePoints = 100;

struct Canvas : bench::BenchCanvas {
    Canvas() { ShowMiddle(1.0f); }

    // The stroke's points: a circle of radius 300 window pixels in the middle of the window.
    static QPoint StrokePoint(int i) {
        const double a = 2 * std::numbers::pi * i / kStrokePoints;
        return {640 + int(std::lround(300 * std::cos(a))),
                400 + int(std::lround(300 * std::sin(a)))};
    }
    void BeginStroke() {
        frame.m_options.m_nTool = ToolFreeLasso;
        Send(QEvent::MouseButtonPress, StrokePoint(0), Qt::LeftButton, Qt::LeftButton);
        QApplication::processEvents();
    }
    void Move(int i) {
        Send(QEvent::MouseMove, StrokePoint(i), Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents();  // the repaint of what the move touched
    }
    void EndStroke() {
        Send(QEvent::MouseButtonRelease, StrokePoint(0), Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
    }
    void ForgetSelection() {
        doc.DropSelection();
        QApplication::processEvents();
    }
};

Canvas& TheCanvas() {
    static Canvas canvas;
    return canvas;
}

void BM_FreeLassoMove(benchmark::State& state) {
    Canvas& c = TheCanvas();
    int i = 0;
    for (auto _ : state) {
        if (i % kStrokePoints == 0) {
            state.PauseTiming();
            if (i > 0) {
                c.EndStroke();
                c.ForgetSelection();
            }
            c.BeginStroke();
            state.ResumeTiming();
        }
        c.Move(1 + i % (kStrokePoints - 1));
        ++i;
    }
    c.EndStroke();
    c.ForgetSelection();
}
BENCHMARK(BM_FreeLassoMove)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The release: the 100-point polygon becomes the selection's region and the window repaints.
void BM_FreeLassoRelease(benchmark::State& state) {
    Canvas& c = TheCanvas();
    for (auto _ : state) {
        state.PauseTiming();
        c.BeginStroke();
        for (int i = 1; i < kStrokePoints; ++i) {
            c.Move(i);
        }
        state.ResumeTiming();
        c.EndStroke();
        state.PauseTiming();
        c.ForgetSelection();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FreeLassoRelease)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScissorEdgeMap(benchmark::State& state) {
    Canvas& c = TheCanvas();
    CLiveWire wire;
    for (auto _ : state) {
        wire.BuildEdgeMap(*c.doc.m_pActiveBitmap);
    }
}
BENCHMARK(BM_ScissorEdgeMap)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first segment of an outline, 200 pixels across: the edge map is worked out only where
// the search reaches.
void BM_ScissorFirstSegment(benchmark::State& state) {
    Canvas& c = TheCanvas();
    CLiveWire wire;
    for (auto _ : state) {
        wire.AttachPicture(*c.doc.m_pActiveBitmap);
        benchmark::DoNotOptimize(wire.FindPath({1800, 1400}, {2000, 1500}));
    }
}
BENCHMARK(BM_ScissorFirstSegment)->Unit(benchmark::kMillisecond)->UseRealTime();

// One segment between anchors state.range(0) pixels apart in x and half that in y.
void BM_ScissorSegment(benchmark::State& state) {
    Canvas& c = TheCanvas();
    CLiveWire wire;
    wire.BuildEdgeMap(*c.doc.m_pActiveBitmap);
    const int d = int(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(wire.FindPath({1800, 1400}, {1800 + d, 1400 + d / 2}));
    }
}
BENCHMARK(BM_ScissorSegment)
    ->Arg(50)
    ->Arg(200)
    ->Arg(800)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

PICTORRA_BENCHMARK_MAIN_WITH(QApplication)
