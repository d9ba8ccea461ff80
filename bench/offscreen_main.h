#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

// The main of a window benchmark: the benchmarks run inside a QApplication on the offscreen
// platform.
inline int runOffscreenBenchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
