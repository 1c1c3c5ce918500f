#include "benchmarks/BenchmarkDesignerHost.h"
#include "designer/editing/TvlDesignerEditing.h"
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSettings.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlBandView.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vl;

// A page of 2,000 objects (text, bands, lines, pictures) with text and
// scripts, as a large template holds them.
void fillPage(TvlPage& page) {
    static const int types[] = {otMemo, otBand, otLine, otPicture};
    for (int i = 0; i < 2000; ++i) {
        std::unique_ptr<TvlView> view = CreateObject(page.Engine().model(), types[i % 4]);
        view->Name = "Object" + std::to_string(i + 1);
        view->SetBounds(i % 700, i, 120, 18);
        view->Memo = {"[Tasks.\"Name\"] [Tasks.\"Due date\"]"};
        view->Script = {"begin", "  Visible := True;", "end"};
        if (auto* band = dynamic_cast<TvlBandView*>(view.get())) band->FrameTyp = 5;
        page.AddObject(std::move(view));
    }
}

void selectAll(BenchmarkDesignerHost& host) {
    host.session_.selected.selectAllOf(*host.currentPage());
}

// Undo of a move of the whole 2,000-object page (target: under 50 ms).
void UndoMove2000Objects(benchmark::State& state) {
    BenchmarkDesignerHost host;
    TvlDesignerEditing editing(host, {});
    host.onSnapshot = [&editing](TvlSnapshotKind kind) { editing.undo().TakeSnapshot(kind); };
    TvlPage& page = *host.currentPage();
    fillPage(page);
    for (auto _ : state) {
        state.PauseTiming();
        selectAll(host);
        host.takeSnapshot(skChange);
        for (const auto& view : page.Objects)
            view->Left += 8;
        state.ResumeTiming();
        editing.undo().Undo();
    }
    benchmark::DoNotOptimize(page.Objects.front()->Left);
}
BENCHMARK(UndoMove2000Objects)->Unit(benchmark::kMillisecond);

// The memory 20 change steps of the whole 2,000-object page keep.
void Snapshots20Of2000Objects(benchmark::State& state) {
    BenchmarkDesignerHost host;
    TvlDesignerEditing editing(host, {});
    host.onSnapshot = [&editing](TvlSnapshotKind kind) { editing.undo().TakeSnapshot(kind); };
    TvlPage& page = *host.currentPage();
    fillPage(page);
    selectAll(host);
    for (auto _ : state) {
        editing.undo().clear();
        for (int i = 0; i < 20; ++i)
            host.takeSnapshot(skChange);
    }
    state.counters["bytes20"] = static_cast<double>(editing.undo().undoList().byteSize());
}
BENCHMARK(Snapshots20Of2000Objects)->Unit(benchmark::kMillisecond);

} // namespace
