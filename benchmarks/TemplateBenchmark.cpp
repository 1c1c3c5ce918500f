#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"

#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<vl::TvlView> makeObject(int i) {
    std::unique_ptr<vl::TvlView> view;
    switch (i % 4) {
    case 0: {
        auto band = std::make_unique<vl::TvlBandView>();
        band->FrameTyp = 5;
        band->FormatStr = "Tasks";
        view = std::move(band);
        break;
    }
    case 1:
        view = std::make_unique<vl::TvlLineView>();
        break;
    case 2:
        view = std::make_unique<vl::TvlSubReportView>();
        break;
    default:
        view = std::make_unique<vl::TvlPictureView>();
        view->Memo = {"[Tasks.\"Photo\"]"};
        break;
    }
    view->Name = "Object" + std::to_string(i + 1);
    view->SetBounds(i % 700, i, 120, 18);
    view->Script = {"begin", "  Visible := True;", "end"};
    view->Tag = "tag";
    return view;
}

// A template of 2,000 objects on two pages, as the engine writes it.
std::vector<std::uint8_t> largeTemplate() {
    vl::TvlReport report;
    vl::TvlPage& first = report.Pages().Add();
    vl::TvlPage& second = report.Pages().Add();
    for (int i = 0; i < 2000; ++i)
        (i < 1000 ? first : second).AddObject(makeObject(i));
    vl::MemoryStream m;
    report.SaveToStream(m);
    return m.data();
}

// Loading a template of 2,000 objects (target: under 20 ms).
void LoadTemplate2000Objects(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = largeTemplate();
    vl::TvlReport report;
    for (auto _ : state) {
        vl::MemoryStream in(bytes);
        report.LoadFromStream(in);
        benchmark::DoNotOptimize(report.Pages().Count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(LoadTemplate2000Objects)->Unit(benchmark::kMillisecond);

} // namespace
