#include "engine/build/TvlGlobals.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/ViewState.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/StreamIO.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

using namespace vl;

double peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

PageSettings a4() {
    TvlPrinter& printer = GlobalPrinter();
    printer.SetPaper(9, 2100, 2970, -1, 0, true);
    PageSettings s;
    s.PaperSize = 9;
    s.PaperWidth = 2100;
    s.PaperHeight = 2970;
    s.PaperBin = -1;
    s.PaperCoordinates = true;
    printer.FillMetrics(s.Metrics);
    return s;
}

// Appends an object's prepared record to a page, as a build does.
void put(TvlEMFPages& pages, int i, TvlView& view) {
    MemoryStream& stream = pages.PageAt(i).Stream;
    view.WriteMode = wmPrepared;
    view.EvaluatedText = view.Memo;
    WriteByte(stream, view.Typ);
    view.SaveToStream(stream);
    view.WriteMode = wmTemplate;
}

// A store of text pages: 40 memo lines and a rule each.
void fill(TvlEMFPages& pages, int count) {
    TvlMemoView memo;
    memo.SetBounds(40, 0, 600, 22);
    TvlLineView line;
    line.SetBounds(40, 20, 680, 0);
    for (int i = 0; i < count; ++i) {
        pages.AddPage(a4());
        for (int row = 0; row < 40; ++row) {
            memo.Top = 40 + row * 24;
            memo.Memo = {"Page " + std::to_string(i + 1) + ", line " + std::to_string(row + 1)};
            put(pages, i, memo);
        }
        put(pages, i, line);
    }
}

// Draws every page of a large store one after another, as scrolling through
// a preview does; live objects are released page by page, so peak memory
// stays near that of the store itself.
void DrawEveryPage(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    ViewState().renderMode = rmOutput;
    TvlEMFPages pages;
    fill(pages, count);
    const double storeMb = peakRssMb();
    QImage canvas(190, 268, QImage::Format_RGB32);
    QPainter painter(&canvas);
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            PreparedPage& page = pages.PageAt(i);
            page.Shown = true;
            pages.DrawPage(i, &painter, {0, 0, 190, 268});
            page.Shown = false;
            pages.DrawPage(i, nullptr, {});
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["rss_after_fill_mb"] = storeMb;
    state.counters["peak_rss_mb"] = peakRssMb();
    state.counters["live_pages_after"] = pages.LivePageCount();
}
BENCHMARK(DrawEveryPage)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
