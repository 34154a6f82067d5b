// The shape, fill and text tools on a 4000 x 3000 picture of ten layers (the fifth active) in
// a 1280 x 800 view at zoom 1. A shape drag is timed per mouse-move event including the
// repaint of the rubber band's part of the window (the press and the release, which draws
// into the layer, are not timed); the text tool per typed character (the line is drawn again
// from the layer as it was before it); the fill per click.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include "BenchCanvas.h"
#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "view/PictorraView.h"

namespace {

constexpr int kSegments = 500;

struct Canvas : bench::BenchCanvas {
    Canvas() : BenchCanvas(2) { ShowMiddle(1.0f); }

    // The drag: from (340, 200) to (940, 600) in the window, 500 moves, so that the shape
    // and the part of the window it covers grow all the way.
    static QPoint DragPoint(int i) {
        return {340 + 600 * i / kSegments, 200 + 400 * i / kSegments};
    }
    void Click(QPoint at) {
        Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
    }
    void Type(const QString& text) {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(view.get(), &e);
        QApplication::processEvents();
    }
};

Canvas& TheCanvas() {
    static Canvas canvas;
    return canvas;
}

// Every iteration is one mouse move of a 500-move drag; a new drag begins after each.
void DragMoves(benchmark::State& state, int tool, int widthIndex) {
    Canvas& c = TheCanvas();
    c.frame.m_options.m_nTool = tool;
    *c.frame.m_options.LineWidthOf(tool) = widthIndex;
    int i = 0;
    for (auto _ : state) {
        if (i % kSegments == 0) {
            state.PauseTiming();
            if (i > 0) {
                c.Send(QEvent::MouseButtonRelease, Canvas::DragPoint(kSegments), Qt::LeftButton,
                       Qt::NoButton);
            }
            c.Send(QEvent::MouseButtonPress, Canvas::DragPoint(0), Qt::LeftButton, Qt::LeftButton);
            QApplication::processEvents();
            state.ResumeTiming();
        }
        c.Send(QEvent::MouseMove, Canvas::DragPoint(1 + i % kSegments), Qt::NoButton,
               Qt::LeftButton);
        QApplication::processEvents();  // the repaint of the rubber band's part
        ++i;
    }
    c.Send(QEvent::MouseButtonRelease, Canvas::DragPoint(kSegments), Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
    state.counters["area"] =
        c.view->LastComposedRect().width() * c.view->LastComposedRect().height();
}

void BM_RectangleMove(benchmark::State& state) {
    DragMoves(state, ToolRectangle, 0);
}
BENCHMARK(BM_RectangleMove)->Iterations(kSegments)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_FilledEllipseMove(benchmark::State& state) {
    DragMoves(state, ToolFilledEllipse, 3);
}
BENCHMARK(BM_FilledEllipseMove)
    ->Iterations(kSegments)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

void BM_LineMove(benchmark::State& state) {
    DragMoves(state, ToolLine, 3);
}
BENCHMARK(BM_LineMove)->Iterations(kSegments)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One typed character of a line that grows to 40 characters, then starts again.
void BM_TextCharacter(benchmark::State& state) {
    Canvas& c = TheCanvas();
    c.frame.m_options.m_nTool = ToolText;
    int i = 0;
    for (auto _ : state) {
        if (i % 40 == 0) {
            state.PauseTiming();
            c.Click(QPoint(300, 300 + (i / 40) % 20 * 20));
            state.ResumeTiming();
        }
        c.Type(QStringLiteral("a"));
        ++i;
    }
    c.view->FinishTextEntry();
}
BENCHMARK(BM_TextCharacter)->Iterations(80)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One fill of the active layer (a varied picture: the area is small, the copy over white is
// the whole layer).
void BM_FillClick(benchmark::State& state) {
    Canvas& c = TheCanvas();
    c.frame.m_options.m_nTool = ToolFill;
    for (auto _ : state) {
        c.Click(QPoint(640, 400));
    }
}
BENCHMARK(BM_FillClick)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

PICTORRA_BENCHMARK_MAIN_WITH(QApplication)
