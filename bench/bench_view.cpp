// Painting the canvas: what one repaint of a full-HD window costs over a 4000 x 3000 picture of
// three layers (the below-cache, the active layer at 60 % opacity, the above-cache), what a
// brush-sized damaged area costs, and the copy of the window's pixels to the screen's format.
// A memcpy of the window's bytes is the floor.
#include <QImage>
#include <QPainter>
#include <cstring>

#include "BenchMain.h"
#include "document/PictorraDoc.h"
#include "support/TestPictures.h"
#include "view/ScreenCompose.h"

namespace {

constexpr int kW = 4000, kH = 3000;
constexpr int kWindowW = 1920, kWindowH = 1080;

// Three layers, the middle one active: the view draws below-cache, layer, above-cache.
CPictorraDoc& ThreeLayers() {
    static std::unique_ptr<CPictorraDoc> doc = [] {
        auto d = std::make_unique<CPictorraDoc>();
        d->OnNewDocument(kW, kH);
        d->OnFrameActivated();
        d->SetLayerBitmap(d->Layer(1), MakePhotoLike(kW, kH, 1, false));
        for (int n = 2; n <= 3; ++n) {
            d->SetActiveLayer(n - 1);
            d->SetLayerBitmap(d->AddEmptyLayer(), MakePhotoLike(kW, kH, uint32_t(n), true));
        }
        d->SetActiveLayer(2);
        d->Layer(2)->m_nOpacity = 60;
        d->RebuildLayerCaches();
        return d;
    }();
    return *doc;
}

void Compose(benchmark::State& state, int w, int h) {
    CPictorraDoc& doc = ThreeLayers();
    const ShownImages images = ImagesToShow(doc, 2);
    auto out = Bitmap::Create(w, h);
    for (auto _ : state) {
        ComposeForScreen(*out, {1000, 800}, {17, 3}, images);
        benchmark::DoNotOptimize(out->Bits());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * out->ByteCount());
}

void BM_ComposeWindow(benchmark::State& state) {
    Compose(state, kWindowW, kWindowH);
}
BENCHMARK(BM_ComposeWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ComposeBrushArea(benchmark::State& state) {
    Compose(state, 64, 64);
}
BENCHMARK(BM_ComposeBrushArea)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The composed window drawn into a premultiplied surface, as the window system's backing store
// takes it: opaque pixels need no conversion.
void BM_BlitWindow(benchmark::State& state) {
    auto out = Bitmap::Create(kWindowW, kWindowH, 0xFF336699);
    const QImage opaque(out->Bits(), kWindowW, kWindowH, out->Stride(), QImage::Format_RGB32);
    QImage surface(kWindowW, kWindowH, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&surface);
        p.drawImage(0, 0, opaque);
        p.end();
        benchmark::DoNotOptimize(surface.bits());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * out->ByteCount());
}
BENCHMARK(BM_BlitWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MemcpyWindow(benchmark::State& state) {
    std::vector<uint8_t> a(size_t(kWindowW) * kWindowH * 4, 1), b(a.size());
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size());
        benchmark::DoNotOptimize(b.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(a.size()));
}
BENCHMARK(BM_MemcpyWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

PICTORRA_BENCHMARK_MAIN();
