#include "designer/window/TvlDesignerForm.h"
#include "designer/workspace/TvlDesignerPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/script/Stream.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// A one-page template of 2,000 objects: a band per 20 rows and text
// objects in a grid over the page.
std::vector<std::uint8_t> crowdedTemplate() {
    vl::TvlReport report;
    vl::TvlPage& page = report.Pages().Add();
    for (int i = 0; i < 2000; ++i) {
        std::unique_ptr<vl::TvlView> view;
        if (i % 20 == 0) {
            auto band = std::make_unique<vl::TvlBandView>();
            band->FrameTyp = 5;
            view = std::move(band);
            view->SetBounds(0, (i / 20) * 10, 700, 10);
        } else {
            view = std::make_unique<vl::TvlMemoView>();
            view->Memo = {"[Tasks.\"Title\"]"};
            view->SetBounds((i % 20) * 35, (i / 20) * 10, 34, 9);
        }
        view->Name = "Object" + std::to_string(i + 1);
        page.AddObject(std::move(view));
    }
    vl::MemoryStream m;
    report.SaveToStream(m);
    return m.data();
}

// Opening the designer on a template of 2,000 objects: loading it, the
// window's first show and the first paint of the surface (target: under
// 200 ms).
void OpenDesigner2000Objects(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = crowdedTemplate();
    for (auto _ : state) {
        vl::TvlReport report;
        vl::MemoryStream in(bytes);
        report.LoadFromStream(in);
        auto form = std::make_unique<vl::TvlDesignerForm>(report, false);
        form->resize(1280, 900);
        form->show();
        form->surface().repaint();
        QApplication::processEvents();
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenDesigner2000Objects)->Unit(benchmark::kMillisecond);

} // namespace
