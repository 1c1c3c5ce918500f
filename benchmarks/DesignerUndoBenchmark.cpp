#include "designer/editing/TvlDesignerEditing.h"
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSettings.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlBandView.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vl;

// The designer window as undo needs it: one page of the report current.
class BenchHost : public TvlDesignerHost {
public:
    BenchHost() {
        report_.Pages().Clear();
        report_.Pages().Add();
    }
    TvlReport& report() override { return report_; }
    TvlPage* currentPage() override { return &report_.Pages()[0]; }
    int currentPageIndex() const override { return 0; }
    TvlDesignerSelection& selection() override { return selection_; }
    const TvlDesignerSettings& settings() const override { return settings_; }
    void unselectAll() override {
        for (const auto& view : currentPage()->Objects)
            view->Selected = false;
    }
    void selectionChanged() override {}
    void setModified(bool) override {}
    void takeSnapshot(TvlSnapshotKind kind) override { editing->undo().TakeSnapshot(kind); }
    void editObject(bool) override {}
    void pageOptions() override {}
    int chooseBandType() override { return -1; }
    void showContextMenu(const QPoint&) override {}
    void updateStatus() override {}
    void pagesChanged() override {}
    void selectTool(int) override {}
    QSize workspaceSize() const override { return {}; }
    QPoint workspaceOffset() const override { return {}; }
    void scrollWorkspace(const QPoint&) override {}

    TvlReport report_;
    TvlDesignerSelection selection_;
    TvlDesignerSettings settings_;
    TvlDesignerEditing* editing = nullptr;
};

// A page of 2,000 objects (text, bands, lines, pictures) with text and
// scripts, as a large template holds them.
void fillPage(TvlPage& page) {
    static const int types[] = {otMemo, otBand, otLine, otPicture};
    for (int i = 0; i < 2000; ++i) {
        std::unique_ptr<TvlView> view = CreateObject(types[i % 4]);
        view->Name = "Object" + std::to_string(i + 1);
        view->SetBounds(i % 700, i, 120, 18);
        view->Memo = {"[Tasks.\"Name\"] [Tasks.\"Due date\"]"};
        view->Script = {"begin", "  Visible := True;", "end"};
        if (auto* band = dynamic_cast<TvlBandView*>(view.get())) band->FrameTyp = 5;
        page.AddObject(std::move(view));
    }
}

void selectAll(TvlPage& page) {
    for (const auto& view : page.Objects)
        view->Selected = true;
}

// Undo of a move of the whole 2,000-object page (target: under 50 ms).
void UndoMove2000Objects(benchmark::State& state) {
    BenchHost host;
    TvlDesignerEditing editing(host, {});
    host.editing = &editing;
    TvlPage& page = *host.currentPage();
    fillPage(page);
    for (auto _ : state) {
        state.PauseTiming();
        selectAll(page);
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
    BenchHost host;
    TvlDesignerEditing editing(host, {});
    host.editing = &editing;
    TvlPage& page = *host.currentPage();
    fillPage(page);
    selectAll(page);
    for (auto _ : state) {
        editing.undo().clear();
        for (int i = 0; i < 20; ++i)
            host.takeSnapshot(skChange);
    }
    state.counters["bytes20"] = static_cast<double>(editing.undo().undoList().byteSize());
}
BENCHMARK(Snapshots20Of2000Objects)->Unit(benchmark::kMillisecond);

} // namespace
