#pragma once

#include "designer/editing/TvlDesignerEditing.h"
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace vltest {

using namespace vl;

// The designer window as the editing commands see it: a report with two
// pages, the selection, the settings, and counters of what was asked.
// Snapshots go to the editing's undo manager, as the window routes them.
class FakeDesignerHost : public TvlDesignerHost {
public:
    FakeDesignerHost() {
        report_.Pages().Clear();
        report_.Pages().Add();
        report_.Pages().Add();
    }

    TvlReport& report() override { return report_; }
    TvlPage* currentPage() override { return &report_.Pages()[pageIndex]; }
    int currentPageIndex() const override { return pageIndex; }
    TvlDesignerSelection& selection() override { return selection_; }
    const TvlDesignerSettings& settings() const override { return settings_; }
    TvlDesignerSession& session() override { return session_; }
    TvlDesignerSession session_;
    void unselectAll() override {
        session_.selected.clear();
        selection_.count = 0;
    }
    void selectionChanged() override { ++selectionChanges; }
    void setModified(bool on) override { modified = on; }
    void takeSnapshot(TvlSnapshotKind kind) override {
        ++snapshots;
        if (editing) editing->undo().TakeSnapshot(kind);
    }
    void editObject(bool) override {}
    void pageOptions() override {}
    int chooseBandType() override { return -1; }
    void showContextMenu(const QPoint&) override {}
    void updateStatus() override { ++statusUpdates; }
    void pagesChanged() override {}
    void selectTool(int) override {}
    QSize workspaceSize() const override { return {800, 600}; }
    QPoint workspaceOffset() const override { return {}; }
    void scrollWorkspace(const QPoint&) override {}

    TvlPage& page() { return *currentPage(); }

    // A new object of the type on the current page, made as the surface
    // makes objects.
    template <typename View = TvlMemoView>
    View& add(int type, const std::string& name, int left, int top, int width, int height) {
        auto view = CreateObject(page().Engine().model(), type);
        view->Name = name;
        view->SetBounds(left, top, width, height);
        return static_cast<View&>(page().AddObject(std::move(view)));
    }
    TvlMemoView& memo(const std::string& name, int left, int top, int width = 40, int height = 20) {
        return add<TvlMemoView>(otMemo, name, left, top, width, height);
    }
    TvlBandView& band(const std::string& name, int type, int top, int height) {
        auto& view = add<TvlBandView>(otBand, name, 0, top, 700, height);
        view.FrameTyp = static_cast<std::uint16_t>(type);
        return view;
    }
    void select(std::initializer_list<TvlView*> views) {
        unselectAll();
        for (TvlView* view : views)
            session_.selected.select(*view);
        selection_.count = static_cast<int>(views.size());
        selection_.object = views.size() == 1 ? *views.begin() : nullptr;
    }
    // The names of the selected objects in page order.
    std::string selectedNames() {
        std::string names;
        for (const auto& view : page().Objects)
            if (session_.selected.contains(*view)) names += (names.empty() ? "" : ",") + view->Name;
        return names;
    }
    // The names of the current page's objects in page order.
    std::string order() {
        std::string names;
        for (const auto& view : page().Objects)
            names += (names.empty() ? "" : ",") + view->Name;
        return names;
    }

    TvlReport report_;
    int pageIndex = 0;
    TvlDesignerSelection selection_;
    TvlDesignerSettings settings_;
    TvlDesignerEditing* editing = nullptr;
    bool modified = false;
    int snapshots = 0;
    int selectionChanges = 0;
    int statusUpdates = 0;
};

// A host with its editing machinery and counted redraws.
struct EditingFixture : ::testing::Test {
    EditingFixture() : editing(host, hooks()) { host.editing = &editing; }

    TvlSurfaceHooks hooks() {
        TvlSurfaceHooks h;
        h.redrawPage = [this] { ++redraws; };
        h.surfaceSize = [] { return QSize(800, 1100); };
        return h;
    }

    FakeDesignerHost host;
    int redraws = 0;
    TvlDesignerEditing editing;
};

} // namespace vltest
