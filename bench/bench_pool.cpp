// The thread pool: what one band-parallel call costs beyond its work (through the pool, and
// with a thread started per band as the loops did before the pool), and a 9 x 9 blur of a
// 4000 x 3000 picture as the user meets it: the whole command through the document, run on
// the calling thread and run on the pool with a token as the windows run it.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "BenchMain.h"
#include "document/PictorraDoc.h"
#include "effects/Blur.h"
#include "effects/EffectFrame.h"
#include "platform/Parallel.h"
#include "platform/ThreadPool.h"
#include "support/TestPictures.h"

namespace {

constexpr int kW = 4000, kH = 3000;

// The former ParallelBands: a thread per band beyond the first, joined at the end.
template <typename Body>
void BandsOnNewThreads(int count, Body&& body) {
    const int bands = std::min(CThreadPool::CoreCount(), count);
    const int step = (count + bands - 1) / bands;
    std::vector<std::thread> workers;
    for (int b = 1; b < bands; ++b) {
        workers.emplace_back(
            [&body, b, step, count] { body(b * step, std::min(count, (b + 1) * step)); });
    }
    body(0, std::min(count, step));
    for (auto& w : workers) {
        w.join();
    }
}

void BM_DispatchPool(benchmark::State& state) {
    std::atomic<int> sink{0};
    for (auto _ : state) {
        ParallelBands(
            CThreadPool::CoreCount(), 1 << 20, [&](int first, int last) { sink += last - first; },
            1);
    }
    benchmark::DoNotOptimize(sink.load());
}
BENCHMARK(BM_DispatchPool)->Unit(benchmark::kMicrosecond);

void BM_DispatchThreadPerBand(benchmark::State& state) {
    std::atomic<int> sink{0};
    for (auto _ : state) {
        BandsOnNewThreads(CThreadPool::CoreCount(),
                          [&](int first, int last) { sink += last - first; });
    }
    benchmark::DoNotOptimize(sink.load());
}
BENCHMARK(BM_DispatchThreadPerBand)->Unit(benchmark::kMicrosecond);

void BM_BlurKernel(benchmark::State& state) {
    const auto photo = MakePhotoLike(kW, kH, 7, false);
    auto target = photo->Clone();
    for (auto _ : state) {
        std::memcpy(target->Bits(), photo->Bits(), size_t(photo->ByteCount()));
        Blur(*target, 9);
    }
}
BENCHMARK(BM_BlurKernel)->Unit(benchmark::kMillisecond);

// The blur command's Start (one run at size 9) and Accept through the document, the work on
// the calling thread or, with runner, posted to the pool and waited for.
void BlurCommand(benchmark::State& state, bool onPool) {
    CDocumentHost host;
    CPictorraDoc doc(&host);
    doc.OnNewDocument(kW, kH);
    doc.OnFrameActivated();
    doc.SetLayerBitmap(doc.ActiveLayer(), MakePhotoLike(kW, kH, 7, false));
    const EffectInfo& blur = *FindEffect(QStringLiteral("blur"));
    const EffectRunner runner = [](CProgress&, const std::function<void()>& work) {
        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
        CThreadPool::Shared().Post([&] {
            work();
            std::lock_guard lock(mutex);
            done = true;
            ended.notify_all();
        });
        std::unique_lock lock(mutex);
        ended.wait(lock, [&] { return done; });
    };
    for (auto _ : state) {
        CEffectSession session(doc, blur);
        if (onPool) {
            session.SetRunner(runner);
        }
        session.Start({9});
        session.Accept({9});
        state.PauseTiming();
        CLayerHistory::WaitForCompression();
        doc.ActiveLayer()->m_History.Clear();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(BlurCommand, calling_thread, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BlurCommand, pool_with_token, true)->Unit(benchmark::kMillisecond);

}  // namespace

PICTORRA_BENCHMARK_MAIN()
