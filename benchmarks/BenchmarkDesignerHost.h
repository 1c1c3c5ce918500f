#pragma once

#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"

#include <functional>

// The designer window reduced to what the surface and the editing
// machinery ask of it: one report with one page, current, a selection and
// default settings. Snapshots go to onSnapshot when a benchmark sets it.
class BenchmarkDesignerHost : public vl::TvlDesignerHost {
public:
    BenchmarkDesignerHost() {
        report_.Pages().Clear();
        report_.Pages().Add();
    }
    vl::TvlReport& report() override { return report_; }
    vl::TvlPage* currentPage() override { return &report_.Pages()[0]; }
    int currentPageIndex() const override { return 0; }
    vl::TvlDesignerSelection& selection() override { return sel_; }
    const vl::TvlDesignerSettings& settings() const override { return settings_; }
    vl::TvlDesignerSession& session() override { return session_; }
    vl::TvlDesignerSession session_;
    void unselectAll() override {
        session_.selected.clear();
        sel_.count = 0;
        sel_.object = nullptr;
    }
    void selectionChanged() override {}
    void setModified(bool) override {}
    void takeSnapshot(vl::TvlSnapshotKind kind) override {
        if (onSnapshot) onSnapshot(kind);
    }
    void editObject(bool) override {}
    void pageOptions() override {}
    int chooseBandType() override { return -1; }
    void showContextMenu(const QPoint&) override {}
    void updateStatus() override {}
    void pagesChanged() override {}
    void selectTool(int tool) override { sel_.tool = tool; }
    QSize workspaceSize() const override { return {1200, 1000}; }
    QPoint workspaceOffset() const override { return {}; }
    void scrollWorkspace(const QPoint&) override {}

    vl::TvlReport report_;
    vl::TvlDesignerSelection sel_;
    vl::TvlDesignerSettings settings_;
    std::function<void(vl::TvlSnapshotKind)> onSnapshot;
};
