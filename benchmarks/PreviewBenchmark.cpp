#include "benchmarks/BenchmarkPaper.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/output/preview/TvlPBox.h"
#include "engine/output/preview/TvlPreviewForm.h"
#include "engine/script/StreamIO.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using namespace vl;

double rssMb() {
    // the resident size now (not the peak), from /proc
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    long pages = 0, resident = 0;
    if (f) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

void put(TvlEMFPages& pages, int i, TvlView& view) {
    MemoryStream& stream = pages.PageAt(i).Stream;
    view.WriteMode = wmPrepared;
    view.EvaluatedText = view.Memo;
    WriteByte(stream, view.Typ);
    view.SaveToStream(stream);
    view.WriteMode = wmTemplate;
}

// A report of typical pages: 40 text lines and a rule each, A4.
void fill(TvlEMFPages& pages, int count) {
    const PageSettings a4 = BenchmarkA4();
    TvlMemoView memo;
    memo.SetBounds(40, 0, 600, 22);
    TvlLineView line;
    line.SetBounds(40, 20, 680, 0);
    for (int i = 0; i < count; ++i) {
        pages.AddPage(a4);
        for (int row = 0; row < 40; ++row) {
            memo.Top = 40 + row * 24;
            memo.Memo = {"Page " + std::to_string(i + 1) + ", line " + std::to_string(row + 1)};
            put(pages, i, memo);
        }
        put(pages, i, line);
    }
}

// Scrolling a preview window at 100 % through a 10,000-page report, one
// page per step, each step repainted: the cost of drawing the pages in
// view (per page drawn) and the memory before and after the whole way
// through (live objects exist only for the pages in view).
void PreviewScroll10000Pages(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TvlReport report;
    fill(report.EMFPages(), count);
    TvlPreviewForm form;
    form.resize(1000, 800);
    form.TakePages(report);
    form.show();
    QApplication::processEvents();
    Globals().preview().lastScale = 1.0;
    Globals().preview().lastZoomMode = pzDefault;
    form.ResetView(true);
    form.PBox->repaint();
    const double before = rssMb();
    double drawMs = 0;
    long pagesDrawn = 0;
    int maxLive = 0;
    for (auto _ : state) {
        for (int i = 1; i <= count; ++i) {
            form.GoToPage(i);
            QElapsedTimer timer;
            timer.start();
            form.PBox->repaint();
            drawMs += static_cast<double>(timer.nsecsElapsed()) / 1e6;
            const int live = form.ShownPages()->LivePageCount();
            pagesDrawn += live;
            maxLive = std::max(maxLive, live);
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["ms_per_page_drawn"] = drawMs / static_cast<double>(std::max(pagesDrawn, 1L));
    state.counters["max_live_pages"] = maxLive;
    state.counters["rss_before_mb"] = before;
    state.counters["rss_after_mb"] = rssMb();
}
BENCHMARK(PreviewScroll10000Pages)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
