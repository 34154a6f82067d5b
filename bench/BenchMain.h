#pragma once

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "files/FreeImageLibrary.h"

// The main of every benchmark program: the application object (QGuiApplication, or
// QApplication for the benchmarks of windows) offscreen and FreeImage, then Google Benchmark.
#define PICTORRA_BENCHMARK_MAIN_WITH(Application) \
    int main(int argc, char** argv) {             \
        qputenv("QT_QPA_PLATFORM", "offscreen");  \
        Application app(argc, argv);              \
        CFreeImageLibrary freeImage;              \
        ::benchmark::Initialize(&argc, argv);     \
        ::benchmark::RunSpecifiedBenchmarks();    \
        ::benchmark::Shutdown();                  \
        return 0;                                 \
    }
#define PICTORRA_BENCHMARK_MAIN() PICTORRA_BENCHMARK_MAIN_WITH(QGuiApplication)
