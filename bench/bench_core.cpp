// The document's hot paths on a 4000 x 3000 photo-like picture with varying alpha: opening and
// saving PNG and JPEG, and rebuilding the layer caches of a 10-layer stack, against a memcpy of
// the same bytes as the floor.
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstring>

#include "BenchMain.h"
#include "document/PictorraDoc.h"
#include "support/TestPictures.h"

namespace {

constexpr int kW = 4000, kH = 3000, kLayers = 10;

const Bitmap& Photo() {
    static const auto photo = MakePhotoLike(kW, kH, 7, true);
    return *photo;
}

std::unique_ptr<CPictorraDoc> PhotoDoc() {
    auto doc = std::make_unique<CPictorraDoc>();
    doc->OnNewDocument(kW, kH);
    doc->OnFrameActivated();
    doc->SetLayerBitmap(doc->Layer(1), Photo().Clone());
    return doc;
}

// Ten 4000 x 3000 layers, each a different photo-like picture, the fifth one active.
CPictorraDoc& TenLayers() {
    static std::unique_ptr<CPictorraDoc> doc = [] {
        auto d = PhotoDoc();
        for (int n = 2; n <= kLayers; ++n) {
            d->SetActiveLayer(n - 1);
            CLayerFrame* layer = d->AddEmptyLayer();
            d->SetLayerBitmap(layer, MakePhotoLike(kW, kH, uint32_t(n), true));
            layer->m_nOpacity = 40 + 6 * n;
            layer->m_nOffsetX = 3 * n;
        }
        d->SetActiveLayer(5);
        return d;
    }();
    return *doc;
}

QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

double MemcpySeconds(int64_t bytes) {
    static std::vector<uint8_t> from(size_t(kW) * kH * 4, 1), to(size_t(kW) * kH * 4);
    const auto start = std::chrono::steady_clock::now();
    for (int64_t done = 0; done < bytes; done += int64_t(from.size())) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_MemcpyOneLayer(benchmark::State& state) {
    for (auto _ : state) {
        state.SetIterationTime(MemcpySeconds(int64_t(kW) * kH * 4));
    }
    state.SetBytesProcessed(state.iterations() * int64_t(kW) * kH * 4);
}
BENCHMARK(BM_MemcpyOneLayer)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_RebuildLayerCaches10Layers(benchmark::State& state) {
    CPictorraDoc& doc = TenLayers();
    double memcpyTotal = 0;
    for (auto _ : state) {
        doc.InvalidateLayerCaches();
        doc.RebuildLayerCaches();
        state.PauseTiming();
        memcpyTotal += MemcpySeconds(int64_t(kLayers) * kW * kH * 4);
        state.ResumeTiming();
    }
    state.counters["memcpy10_ms"] = memcpyTotal * 1000.0 / double(state.iterations());
}
BENCHMARK(BM_RebuildLayerCaches10Layers)->Unit(benchmark::kMillisecond);

void BM_RebuildLayerCachesUnchanged(benchmark::State& state) {
    CPictorraDoc& doc = TenLayers();
    doc.RebuildLayerCaches();
    for (auto _ : state) {
        doc.RebuildLayerCaches();
    }
}
BENCHMARK(BM_RebuildLayerCachesUnchanged)->Unit(benchmark::kMicrosecond);

void BM_ComposeImage10Layers(benchmark::State& state) {
    CPictorraDoc& doc = TenLayers();
    doc.RebuildLayerCaches();
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc.ComposeImage(true));
    }
}
BENCHMARK(BM_ComposeImage10Layers)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state, const char* name) {
    auto doc = PhotoDoc();
    const QString path = Folder().filePath(QString::fromLatin1(name));
    for (auto _ : state) {
        if (!doc->OnSaveDocument(path)) {
            state.SkipWithError("save failed");
        }
    }
    state.counters["file_MB"] = double(QFile(path).size()) / 1048576.0;
}
BENCHMARK_CAPTURE(BM_Save, png, "photo.png")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Save, jpeg, "photo.jpg")->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Open(benchmark::State& state, const char* name) {
    const QString path = Folder().filePath(QString::fromLatin1(name));
    if (!QFile::exists(path)) {
        PhotoDoc()->OnSaveDocument(path);
    }
    for (auto _ : state) {
        CPictorraDoc doc;
        if (!doc.OnOpenDocument(path)) {
            state.SkipWithError("open failed");
        }
        doc.OnFrameActivated();
    }
}
BENCHMARK_CAPTURE(BM_Open, png, "photo.png")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Open, jpeg, "photo.jpg")->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

PICTORRA_BENCHMARK_MAIN()
