// A 20000 x 20000 picture (1.6 GB a bitmap) through the document as the user meets it: opening
// the PNG (decoding, the first layer, the caches composed), repainting a 1280 x 800 window
// while it scrolls (at zoom 1, and the whole picture at zoom 0.05), and saving it as PNG; then
// the whole `pictorra-cli convert` process, beside `vips copy` of the same file.
//
// Each reports the peak resident memory it reached (peak_GB: the process's VmHWM, reset before
// the step; for the processes ru_maxrss) against PictureMemoryNeed, the estimate every open
// is checked with (estimate_GB), and their ratio (peak_of_estimate).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "BenchCanvas.h"
#include "document/PictorraDoc.h"
#include "platform/MemoryBudget.h"
#include "platform/Parallel.h"
#include "view/PictorraView.h"

namespace {

constexpr int kSide = 20000;
constexpr double kGB = double(int64_t(1) << 30);

// Forgets the peak resident memory so far (Linux 4.0 and later).
void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The peak resident memory since the last reset.
double PeakMemoryGB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return double(std::stoll(line.substr(6))) * 1024.0 / kGB;
        }
    }
    return 0;
}

double EstimateGB() {
    const QSize size(kSide, kSide);
    return double(PictureMemoryNeed(std::span(&size, 1))) / kGB;
}

void ReportMemory(benchmark::State& state, double peakGB) {
    state.counters["peak_GB"] = peakGB;
    state.counters["estimate_GB"] = EstimateGB();
    state.counters["peak_of_estimate"] = peakGB / EstimateGB();
}

QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

// The picture as a PNG file, made once: smooth gradients with a little texture, opaque, so
// that it compresses as a photograph's sky and walls do.
const QString& PicturePath() {
    static const QString path = [] {
        const QString p = Folder().filePath("large.png");
        CPictorraDoc doc;
        doc.OnNewDocument(kSide, kSide);
        doc.OnFrameActivated();
        Bitmap& bitmap = *doc.m_pActiveBitmap;
        ParallelBands(kSide, kSide, [&bitmap](int first, int last) {
            for (int y = first; y < last; ++y) {
                uint32_t* row = bitmap.Row(y);
                for (int x = 0; x < kSide; ++x) {
                    const uint32_t texture =
                        (uint32_t(x) * 2654435761u ^ uint32_t(y) * 40503u) >> 29;
                    row[x] = MakeArgb(255, uint32_t(x * 255 / kSide) ^ texture,
                                      uint32_t(y * 255 / kSide), uint32_t((x + y) / 157 & 0xFF));
                }
            }
        });
        doc.OnSaveDocument(p);
        return p;
    }();
    return path;
}

void BM_OpenLarge(benchmark::State& state) {
    const QString& path = PicturePath();
    for (auto _ : state) {
        ResetPeakMemory();
        CPictorraDoc doc;
        if (!doc.OnOpenDocument(path)) {
            state.SkipWithError("the picture could not be opened");
            return;
        }
        doc.OnFrameActivated();
        state.PauseTiming();
        ReportMemory(state, PeakMemoryGB());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenLarge)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The opened picture in a 1280 x 800 window; each repaint follows a scroll of 97 pixels.
void ScrollRepaint(benchmark::State& state, float zoom) {
    bench::BenchHost host;
    bench::BenchFrame frame;
    host.options = &frame.m_options;
    CPictorraDoc doc(&host);
    if (!doc.OnOpenDocument(PicturePath())) {
        state.SkipWithError("the picture could not be opened");
        return;
    }
    doc.OnFrameActivated();
    CPictorraView view(doc, frame);
    host.view = &view;
    view.setFrameStyle(0);
    view.resize(1280, 800);
    view.show();
    view.OnInitialUpdate();
    view.SetZoom(zoom);
    QApplication::processEvents();
    QWidget* viewport = view.viewport();
    QScrollBar* bar = view.verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        const int y = (step++ * 97) % std::max(1, bar->maximum() + 1);
        view.ScrollTo({view.horizontalScrollBar()->maximum() / 2, y});
        viewport->repaint();
    }
    host.view = nullptr;
    state.counters["zoom"] = zoom;
}

void BM_ScrollRepaintLarge(benchmark::State& state) {
    ScrollRepaint(state, float(state.range(0)) / 100.0f);
}
BENCHMARK(BM_ScrollRepaintLarge)
    ->Arg(100)
    ->Arg(5)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime();

void BM_SaveLarge(benchmark::State& state) {
    CPictorraDoc doc;
    if (!doc.OnOpenDocument(PicturePath())) {
        state.SkipWithError("the picture could not be opened");
        return;
    }
    doc.OnFrameActivated();
    const QString out = Folder().filePath("saved.png");
    for (auto _ : state) {
        ResetPeakMemory();
        if (!doc.OnSaveDocument(out)) {
            state.SkipWithError("the picture could not be saved");
            return;
        }
        state.PauseTiming();
        ReportMemory(state, PeakMemoryGB());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SaveLarge)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// A whole process: its wall time and its peak resident memory.
struct ProcessRun {
    bool ok = false;
    double seconds = 0;
    double peakGB = 0;
};

ProcessRun RunProcess(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    ProcessRun run;
    if (pid > 0 && wait4(pid, &status, 0, &usage) == pid) {
        run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        run.peakGB = double(usage.ru_maxrss) * 1024.0 / kGB;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return run;
}

double g_cliSeconds = 0;

void BM_CliConvertLarge(benchmark::State& state) {
    const std::string in = PicturePath().toStdString();
    const std::string out = Folder().filePath("cli.png").toStdString();
    for (auto _ : state) {
        const ProcessRun run = RunProcess({PICTORRA_CLI, "convert", in, out});
        if (!run.ok) {
            state.SkipWithError("pictorra-cli failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        g_cliSeconds = run.seconds;
        ReportMemory(state, run.peakGB);
    }
}
BENCHMARK(BM_CliConvertLarge)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

// libvips streams the picture through: its load and save of the same file, and ours as a
// ratio to it (above 1: ours is slower).
void BM_VipsCopyLarge(benchmark::State& state) {
    const QString vips = QStandardPaths::findExecutable(QStringLiteral("vips"));
    if (vips.isEmpty()) {
        state.SkipWithError("vips is not available (libvips-tools)");
        return;
    }
    const std::string in = PicturePath().toStdString();
    const std::string out = Folder().filePath("vips.png").toStdString();
    for (auto _ : state) {
        const ProcessRun run = RunProcess({vips.toStdString(), "copy", in, out});
        if (!run.ok) {
            state.SkipWithError("vips failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        state.counters["peak_GB"] = run.peakGB;
        if (g_cliSeconds > 0) {
            state.counters["x_pictorra_cli"] = g_cliSeconds / run.seconds;
        }
    }
}
BENCHMARK(BM_VipsCopyLarge)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace

PICTORRA_BENCHMARK_MAIN_WITH(QApplication)
