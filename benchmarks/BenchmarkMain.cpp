#include "engine/build/MemoryRetention.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

// Text measuring needs Qt's font system and the preview is a window, so the
// benchmarks run inside a widget application on the offscreen platform. The
// process keeps the memory builds free, as the vellum command does.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    vl::KeepMemoryBetweenBuilds();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
