#include "engine/build/TvlGlobals.h"
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

void addText(TvlPage& page, const std::string& text, int left, int top) {
    auto memo = std::make_unique<TvlMemoView>();
    memo->SetBounds(left, top, 200, 18);
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

} // namespace
