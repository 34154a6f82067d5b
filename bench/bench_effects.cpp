// The effects on a 4000 x 3000 photo-like picture, and beside them the comparable libvips
// operations run by the `vips` tool on the same raw pixels: a grey conversion, a 3 x 3 integer
// convolution and a 9 x 9 box (separable and as one 2-D kernel). For vips, the cost of loading
// and saving the picture is measured with `vips copy` and taken out. Each of ours reports its
// ratio to the comparable vips operation (below 1: ours is faster).
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <chrono>
#include <cstring>
#include <map>

#include "BenchMain.h"
#include "effects/AdjustBrightness.h"
#include "effects/AdjustHSB.h"
#include "effects/Blur.h"
#include "effects/Emboss.h"
#include "effects/GrayScale.h"
#include "effects/KernelFilters.h"
#include "effects/Mosaic.h"
#include "effects/RandomSequence.h"
#include "effects/RgbNoise.h"
#include "effects/SetNoise.h"
#include "effects/Sharpen.h"
#include "support/TestPictures.h"

namespace {

constexpr int kW = 4000, kH = 3000;

using Clock = std::chrono::steady_clock;

const Bitmap& Photo() {
    static const auto photo = MakePhotoLike(kW, kH, 7, false);
    return *photo;
}

QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

// --- vips ---------------------------------------------------------------------------------

QString Vips() {
    static const QString path = QStandardPaths::findExecutable(QStringLiteral("vips"));
    return path;
}

bool RunVips(const QStringList& args) {
    QProcess p;
    p.start(Vips(), args);
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The picture once as a vips file (4 bands of bytes, read as sRGB with alpha), and the masks.
bool PrepareVips() {
    static const bool ready = [] {
        if (Vips().isEmpty()) {
            return false;
        }
        const QDir dir(Folder().path());
        QFile raw(dir.filePath("photo.raw"));
        if (!raw.open(QIODevice::WriteOnly) ||
            raw.write(reinterpret_cast<const char*>(Photo().Bits()), Photo().ByteCount()) !=
                Photo().ByteCount()) {
            return false;
        }
        raw.close();
        auto write = [&](const char* name, const QByteArray& text) {
            QFile f(dir.filePath(QString::fromLatin1(name)));
            return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
        };
        QByteArray box9 = "9 9 81 0\n";
        for (int i = 0; i < 9; ++i) {
            box9 += "1 1 1 1 1 1 1 1 1\n";
        }
        return write("k3.mat", "3 3 1 0\n-1 -1 -1\n-1 9 -1\n-1 -1 -1\n") &&
               write("box9x1.mat", "9 1 9 0\n1 1 1 1 1 1 1 1 1\n") && write("box9.mat", box9) &&
               RunVips({"rawload", dir.filePath("photo.raw"), dir.filePath("raw.v"),
                        QString::number(kW), QString::number(kH), "4"}) &&
               RunVips({"copy", dir.filePath("raw.v"), dir.filePath("photo.v"), "--interpretation",
                        "srgb"});
    }();
    return ready;
}

// The fastest of five runs of one vips command over photo.v, in seconds.
double VipsSeconds(const QStringList& operation) {
    const QDir dir(Folder().path());
    QStringList args{operation[0], dir.filePath("photo.v"), dir.filePath("out.v")};
    for (qsizetype i = 1; i < operation.size(); ++i) {
        const QString& a = operation[i];
        args << (a.endsWith(QLatin1String(".mat")) ? dir.filePath(a) : a);
    }
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        if (!RunVips(args)) {
            return -1;
        }
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// The operation's own time: the run less loading and saving the picture (`vips copy`).
double VipsOperationSeconds(const char* name) {
    static std::map<std::string, double> known;
    if (known.count(name)) {
        return known[name];
    }
    static const std::map<std::string, QStringList> operations{
        {"copy", {"copy"}},
        {"grey", {"colourspace", "b-w"}},
        {"conv3x3", {"conv", "k3.mat", "--precision", "integer"}},
        {"box9_separable", {"convsep", "box9x1.mat", "--precision", "integer"}},
        {"box9_2d", {"conv", "box9.mat", "--precision", "integer"}},
    };
    double seconds = -1;
    if (PrepareVips()) {
        const double copy = std::string(name) == "copy" ? 0 : VipsOperationSeconds("copy");
        const double total = VipsSeconds(operations.at(name));
        seconds = total < 0 || copy < 0 ? -1 : std::max(0.0, total - copy);
    }
    return known[name] = seconds;
}

void BM_Vips(benchmark::State& state, const char* name) {
    const double seconds = VipsOperationSeconds(name);
    if (seconds < 0) {
        state.SkipWithError("vips is not available (libvips-tools)");
        return;
    }
    for (auto _ : state) {
        state.SetIterationTime(seconds);
    }
    if (std::string(name) != "copy") {
        state.counters["load_save_ms"] = VipsOperationSeconds("copy") * 1000.0;
    }
}
BENCHMARK_CAPTURE(BM_Vips, load_and_save, "copy")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Vips, grey, "grey")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Vips, conv3x3_integer, "conv3x3")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Vips, box9_separable, "box9_separable")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Vips, box9_2d, "box9_2d")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// --- ours ---------------------------------------------------------------------------------

// Times effect on a fresh copy of the photo each iteration (the copy is not timed), and gives
// its ratio to each named vips operation.
template <typename Effect>
void RunEffect(benchmark::State& state, Effect&& effect,
               std::initializer_list<const char*> comparedWith) {
    auto target = Bitmap::Create(kW, kH);
    double total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(target->Bits(), Photo().Bits(), size_t(Photo().ByteCount()));
        state.ResumeTiming();
        const auto start = Clock::now();
        effect(*target);
        total += std::chrono::duration<double>(Clock::now() - start).count();
        benchmark::DoNotOptimize(target->Bits());
    }
    const double ours = total / double(state.iterations());
    for (const char* name : comparedWith) {
        const double vips = VipsOperationSeconds(name);
        if (vips > 0) {
            state.counters[std::string("x_vips_") + name] = ours / vips;
        }
    }
}

void BM_Brightness(benchmark::State& state) {
    RunEffect(state, [](Bitmap& b) { AdjustBrightness(b, BrightnessParams{70, 60, 40}); }, {});
}
BENCHMARK(BM_Brightness)->Unit(benchmark::kMillisecond);

void BM_GrayScale(benchmark::State& state) {
    RunEffect(state, [](Bitmap& b) { GrayScale(b); }, {"grey"});
}
BENCHMARK(BM_GrayScale)->Unit(benchmark::kMillisecond);

void BM_Sharpen(benchmark::State& state) {
    RunEffect(state, [](Bitmap& b) { Sharpen(b); }, {"conv3x3"});
}
BENCHMARK(BM_Sharpen)->Unit(benchmark::kMillisecond);

void BM_Emboss(benchmark::State& state) {
    RunEffect(state, [](Bitmap& b) { Emboss(b); }, {"conv3x3"});
}
BENCHMARK(BM_Emboss)->Unit(benchmark::kMillisecond);

void BM_HighContrast(benchmark::State& state) {
    RunEffect(state, [](Bitmap& b) { ApplyKernelFilter(b, KernelFilter::HighContrast); },
              {"conv3x3"});
}
BENCHMARK(BM_HighContrast)->Unit(benchmark::kMillisecond);

void BM_Blur(benchmark::State& state) {
    const int size = int(state.range(0));
    RunEffect(
        state, [size](Bitmap& b) { Blur(b, size); },
        size == 9 ? std::initializer_list<const char*>{"box9_separable", "box9_2d"}
                  : std::initializer_list<const char*>{"conv3x3"});
}
BENCHMARK(BM_Blur)->Arg(3)->Arg(9)->Unit(benchmark::kMillisecond);

void BM_Mosaic8(benchmark::State& state) {
    RunEffect(state, [](Bitmap& b) { Mosaic(b, 8); }, {});
}
BENCHMARK(BM_Mosaic8)->Unit(benchmark::kMillisecond);

// Not compared with vips: how long the per-pixel colour conversion and the draw-ordered noise
// take, which tells whether their dialogs need a busy cursor.
void BM_AdjustHSB(benchmark::State& state) {
    RunEffect(state, [](Bitmap& b) { AdjustHSB(b, HSBParams{70, 40, 55}); }, {});
}
BENCHMARK(BM_AdjustHSB)->Unit(benchmark::kMillisecond);

void BM_SetNoise(benchmark::State& state) {
    CRandomSequence random;
    RunEffect(state, [&](Bitmap& b) { SetNoise(b, 40, random); }, {});
}
BENCHMARK(BM_SetNoise)->Unit(benchmark::kMillisecond);

void BM_RgbNoise(benchmark::State& state) {
    CRandomSequence random;
    RunEffect(state, [&](Bitmap& b) { RgbNoise(b, RgbNoiseParams{}, random); }, {});
}
BENCHMARK(BM_RgbNoise)->Unit(benchmark::kMillisecond);

}  // namespace

PICTORRA_BENCHMARK_MAIN()
