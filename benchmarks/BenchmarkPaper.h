#pragma once

#include "engine/build/TvlEngine.h"
#include "engine/output/OutputContext.h"
#include "engine/output/PageSettings.h"
#include "engine/output/TvlPrinter.h"

// The A4 portrait paper the page benchmarks lay their pages out on, with
// the metrics of the engine's printer.
inline vl::PageSettings BenchmarkA4() {
    vl::TvlPrinter& printer = vl::TvlEngine::Default().printer();
    printer.SetPaper(9, 2100, 2970, -1, 0, true);
    vl::PageSettings s;
    s.PaperSize = 9;
    s.PaperWidth = 2100;
    s.PaperHeight = 2970;
    s.PaperBin = -1;
    s.PaperCoordinates = true;
    printer.FillMetrics(s.Metrics);
    return s;
}
