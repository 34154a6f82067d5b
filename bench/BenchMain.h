#pragma once

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "files/FreeImageLibrary.h"

// The main of every benchmark program: Qt Gui offscreen and FreeImage, then Google Benchmark.
#define PICTORRA_BENCHMARK_MAIN()                \
    int main(int argc, char** argv) {            \
        qputenv("QT_QPA_PLATFORM", "offscreen"); \
        QGuiApplication app(argc, argv);         \
        CFreeImageLibrary freeImage;             \
        ::benchmark::Initialize(&argc, argv);    \
        ::benchmark::RunSpecifiedBenchmarks();   \
        ::benchmark::Shutdown();                 \
        return 0;                                \
    }
