#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/output/TvlEMFPages.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vl;

TvlView& addBand(TvlPage& page, TvlBandType type, int top, const std::string& name,
                 const std::string& format = {}) {
    auto band = std::make_unique<TvlBandView>();
    band->FrameTyp = static_cast<std::uint16_t>(type);
    band->SetBounds(0, top, 700, 20);
    band->Name = name;
    band->FormatStr = format;
    band->Flags = 0;
    return page.AddObject(std::move(band));
}

void addText(TvlPage& page, const std::string& text, int left, int top, int width = 200) {
    auto memo = std::make_unique<TvlMemoView>();
    memo->SetBounds(left, top, width, 18);
    memo->Memo = {text};
    memo->Flags = 0;
    page.AddObject(std::move(memo));
}

// A master band over a virtual source of n records, grouped by hundreds,
// with a page header and footer and a total per group.
void groupedReport(TvlReport& report, int records) {
    report.ShowProgress = false;
    report.Pages().Clear();
    TvlPage& page = report.Pages().Add();
    addBand(page, btPageHeader, 10, "PageHeader");
    addText(page, "Page [PAGE#]", 20, 12);
    addBand(page, btGroupHeader, 40, "Group", "([LINETHROUGH#] - [LINETHROUGH#] mod 100) / 100");
    addText(page, "Group [LINETHROUGH#]", 20, 42);
    addBand(page, btMasterData, 70, "Data", std::to_string(records));
    addText(page, "Record [LINE#]", 20, 72);
    addText(page, "[CURRENT#]", 240, 72);
    addBand(page, btGroupFooter, 100, "GroupFooter");
    addText(page, "Rows: [COUNT(Data)]", 20, 102);
    addBand(page, btPageFooter, 900, "PageFooter");
    addText(page, "End of page [PAGE#]", 20, 902);
}

// Build cost per record stays constant: the time per record is the same for
// 10,000 and 100,000 records.
void BM_GroupedBuild(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    TvlReport report("Bench");
    for (auto _ : state) {
        state.PauseTiming();
        groupedReport(report, records);
        state.ResumeTiming();
        if (!report.PrepareReport() || !report.LastBuildError().empty())
            state.SkipWithError(report.LastBuildError().c_str());
        benchmark::DoNotOptimize(report.EMFPages().Count());
    }
    state.counters["pages"] = report.EMFPages().Count();
    state.counters["records/s"] = benchmark::Counter(static_cast<double>(records),
                                                     benchmark::Counter::kIsIterationInvariantRate);
    state.SetComplexityN(records);
}
BENCHMARK(BM_GroupedBuild)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// A cross-tab: a master band over n records crossing a cross data band of
// 50 columns (60 wide, so that each row spills over several pages), with a
// row header on the left.
void crossTabReport(TvlReport& report, int records) {
    report.ShowProgress = false;
    report.Pages().Clear();
    TvlPage& page = report.Pages().Add();
    addBand(page, btCrossHeader, 0, "Rows").SetBounds(20, 0, 80, 1000);
    addBand(page, btCrossData, 0, "Columns", "50").SetBounds(100, 0, 60, 1000);
    addBand(page, btMasterData, 70, "Data", std::to_string(records));
    addText(page, "Row [LINE#]", 20, 72, 80);
    addText(page, "[LINE#].[COLUMN#]", 100, 72, 60);
}

// A cross-tab costs the same per cell at 2,000 and 10,000 rows of 50 columns.
void BM_CrossTabBuild(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    const std::int64_t cells = std::int64_t{records} * 50;
    TvlReport report("Bench");
    for (auto _ : state) {
        state.PauseTiming();
        crossTabReport(report, records);
        state.ResumeTiming();
        if (!report.PrepareReport() || !report.LastBuildError().empty())
            state.SkipWithError(report.LastBuildError().c_str());
        benchmark::DoNotOptimize(report.EMFPages().Count());
    }
    state.counters["pages"] = report.EMFPages().Count();
    state.counters["cells/s"] = benchmark::Counter(static_cast<double>(cells),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.SetComplexityN(cells);
}
BENCHMARK(BM_CrossTabBuild)
    ->Arg(2000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
