// The selection on one 4000 x 3000 photo-like layer (48 MB): building the region of a long
// lasso outline, lifting an ellipse into the fragment and dropping it back, and Copy and
// Paste of a large selection through the clipboard.
#include <QPoint>
#include <cmath>
#include <vector>

#include "BenchMain.h"
#include "document/PictorraDoc.h"
#include "support/TestPictures.h"

namespace {

constexpr int kW = 4000, kH = 3000;

std::unique_ptr<CPictorraDoc> PhotoDoc() {
    auto doc = std::make_unique<CPictorraDoc>();
    doc->OnNewDocument(kW, kH);
    doc->OnFrameActivated();
    doc->SetLayerBitmap(doc->Layer(1), MakePhotoLike(kW, kH, 7, true));
    doc->RebuildLayerCaches();
    return doc;
}

void SelectEllipse(CPictorraDoc& doc) {
    CSelection& selection = doc.Selection();
    selection.Append(CSelectionShape::Ellipse(CRect(200, 150, 3800, 2850)));
    selection.m_nSelectionState = CSelection::kStateEllipse;
}

// A free-lasso outline of n points around the picture's centre, wobbling as a hand does.
std::vector<QPoint> Lasso(int n) {
    std::vector<QPoint> points;
    for (int i = 0; i < n; ++i) {
        const double t = 2 * M_PI * i / n;
        const double r = 1200 + 150 * std::sin(17 * t) + 40 * std::sin(131 * t);
        points.emplace_back(int(2000 + r * std::cos(t)), int(1500 + r * std::sin(t)));
    }
    points.push_back(points.front());
    return points;
}

void BM_BuildRegionOfALasso(benchmark::State& state) {
    CSelection selection;
    selection.Append(CSelectionShape::Polygon(Lasso(int(state.range(0)))));
    for (auto _ : state) {
        selection.BuildRegion();
        benchmark::DoNotOptimize(selection.m_rgnSelection.rectCount());
    }
}
BENCHMARK(BM_BuildRegionOfALasso)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_LiftAndDropAnEllipse(benchmark::State& state) {
    auto doc = PhotoDoc();
    for (auto _ : state) {
        SelectEllipse(*doc);
        doc->LiftSelection();
        doc->DropSelection();
    }
}
BENCHMARK(BM_LiftAndDropAnEllipse)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CopyAnEllipse(benchmark::State& state) {
    auto doc = PhotoDoc();
    for (auto _ : state) {
        SelectEllipse(*doc);
        doc->Copy();
    }
}
BENCHMARK(BM_CopyAnEllipse)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PasteALargePicture(benchmark::State& state) {
    auto doc = PhotoDoc();
    SelectEllipse(*doc);
    doc->Copy();
    for (auto _ : state) {
        doc->Paste();
        state.PauseTiming();
        doc->DeleteLayer();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteALargePicture)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

PICTORRA_BENCHMARK_MAIN()
