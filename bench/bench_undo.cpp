// The undo history on one 4000 x 3000 photo-like layer (48 MB): how long PushUndoState keeps
// the caller (against a memcpy of the layer), the time from an edit to a completed Undo
// pressed at once, Undo of an entry already compressed, the background compression itself,
// and the memory that 25 entries keep. Each iteration waits for its compression, so the
// iteration counts are fixed.
#include <unistd.h>

#include <QFile>
#include <chrono>
#include <cstring>

#include "BenchMain.h"
#include "document/PictorraDoc.h"
#include "support/TestPictures.h"

namespace {

constexpr int kW = 4000, kH = 3000;
constexpr int64_t kLayerBytes = int64_t(kW) * kH * 4;

const Bitmap& Photo() {
    static const auto photo = MakePhotoLike(kW, kH, 7, true);
    return *photo;
}

std::unique_ptr<CPictorraDoc> PhotoDoc(CDocumentHost* host, bool flat = false) {
    auto doc = std::make_unique<CPictorraDoc>(host);
    doc->OnNewDocument(kW, kH);
    doc->OnFrameActivated();
    if (!flat) {
        doc->SetLayerBitmap(doc->Layer(1), Photo().Clone());
    }
    doc->RebuildLayerCaches();
    return doc;
}

// The edit: a brush-sized square changes.
void Paint(CPictorraDoc& doc, uint32_t color) {
    Bitmap& b = *doc.m_pActiveBitmap;
    for (int y = 1000; y < 1200; ++y) {
        std::fill(b.Row(y) + 1500, b.Row(y) + 1700, color);
    }
    doc.RebuildLayerCaches();
}

void Settle(CPictorraDoc& doc) {
    CLayerHistory::WaitForCompression();
    doc.ActiveLayer()->m_History.Clear();
}

double MemcpySeconds() {
    static std::vector<uint8_t> from(size_t(kLayerBytes), 1), to(size_t(kLayerBytes), 2);
    const auto start = std::chrono::steady_clock::now();
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int64_t ResidentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * int64_t(sysconf(_SC_PAGESIZE)) : 0;
}

void BM_MemcpyLayer(benchmark::State& state) {
    for (auto _ : state) {
        state.SetIterationTime(MemcpySeconds());
    }
}
BENCHMARK(BM_MemcpyLayer)->UseManualTime()->Unit(benchmark::kMillisecond);

// What a copy into fresh pages costs: the first edit's copy, before compressed entries have
// given memory back.
void BM_CloneIntoFreshPages(benchmark::State& state) {
    Photo();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Photo().Clone());
    }
}
BENCHMARK(BM_CloneIntoFreshPages)->Unit(benchmark::kMillisecond);

// PushUndoState as the editing tools call it, once the history runs (the copy goes into
// memory a compressed entry gave back). memcpy_ms is a memcpy of the layer measured alongside.
void BM_PushUndoState(benchmark::State& state) {
    CDocumentHost host;
    auto doc = PhotoDoc(&host);
    doc->PushUndoState();
    Settle(*doc);
    double memcpyTotal = 0;
    for (auto _ : state) {
        doc->PushUndoState();
        state.PauseTiming();
        memcpyTotal += MemcpySeconds();
        Settle(*doc);
        state.ResumeTiming();
    }
    state.counters["memcpy_ms"] = memcpyTotal * 1000.0 / double(state.iterations());
}
BENCHMARK(BM_PushUndoState)->Iterations(40)->Unit(benchmark::kMillisecond);

// An edit (record, paint, rebuild the caches) and Undo pressed right after it, until Undo has
// returned with the picture restored.
void BM_EditThenUndoAtOnce(benchmark::State& state) {
    CDocumentHost host;
    auto doc = PhotoDoc(&host);
    doc->PushUndoState();
    Settle(*doc);
    for (auto _ : state) {
        doc->PushUndoState();
        Paint(*doc, 0xFF0000FF);
        doc->UndoLastEdit();
        state.PauseTiming();
        Settle(*doc);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditThenUndoAtOnce)->Iterations(40)->Unit(benchmark::kMillisecond);

// Undo of an edit whose entry has been compressed meanwhile (decompression on all cores).
void BM_UndoCompressedEntry(benchmark::State& state) {
    CDocumentHost host;
    auto doc = PhotoDoc(&host);
    for (auto _ : state) {
        state.PauseTiming();
        doc->PushUndoState();
        Paint(*doc, 0xFF00FF00);
        CLayerHistory::WaitForCompression();
        state.ResumeTiming();
        doc->UndoLastEdit();
        state.PauseTiming();
        Settle(*doc);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoCompressedEntry)->Iterations(10)->Unit(benchmark::kMillisecond);

// The background work of one entry: from PushUndoState to its entry compressed.
void BM_CompressEntry(benchmark::State& state) {
    CDocumentHost host;
    auto doc = PhotoDoc(&host, state.range(0) == 1);
    for (auto _ : state) {
        doc->PushUndoState();
        CLayerHistory::WaitForCompression();
        state.PauseTiming();
        state.counters["kept_percent"] =
            100.0 * double(doc->ActiveLayer()->m_History.StoredBytes()) / double(kLayerBytes);
        Settle(*doc);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CompressEntry)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("flat")
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

// 25 edits ("History States" default), all compressed: the bytes the history keeps, and the
// growth of the resident memory, against 25 raw copies of the layer.
void BM_MemoryOf25Entries(benchmark::State& state) {
    CDocumentHost host;
    auto doc = PhotoDoc(&host);
    for (auto _ : state) {
        const int64_t before = ResidentBytes();
        for (int i = 0; i < 25; ++i) {
            doc->PushUndoState();
            Paint(*doc, 0xFF000000u | uint32_t(i * 0x010203));
        }
        CLayerHistory::WaitForCompression();
        state.PauseTiming();
        const double raw = 25.0 * double(kLayerBytes);
        state.counters["history_percent"] =
            100.0 * double(doc->ActiveLayer()->m_History.StoredBytes()) / raw;
        state.counters["resident_percent"] = 100.0 * double(ResidentBytes() - before) / raw;
        Settle(*doc);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MemoryOf25Entries)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

PICTORRA_BENCHMARK_MAIN()
