#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

// Text measuring needs Qt's font system, so the benchmarks run inside a GUI
// application on the offscreen platform.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
