#pragma once

#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "designer/workspace/TvlDesignerPage.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/ViewState.h"
#include "tests/support/ThreadEngine.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace vltest {

using namespace vl;

// The designer window as the surface sees it: a report with one page, and
// a record of every call.
class RecordingHost : public TvlDesignerHost {
public:
    RecordingHost() {
        report_.Pages().Clear();
        page = &report_.Pages().Add();
    }

    TvlReport& report() override { return report_; }
    TvlPage* currentPage() override { return page; }
    int currentPageIndex() const override { return 0; }
    TvlDesignerSelection& selection() override { return sel; }
    const TvlDesignerSettings& settings() const override { return settings_; }
    TvlDesignerSession& session() override { return session_; }
    TvlDesignerSession session_;
    void unselectAll() override {
        session_.selected.clear();
        sel.count = 0;
        sel.object = nullptr;
    }
    void selectionChanged() override { ++selectionChanges; }
    void setModified(bool m) override { modified = m; }
    void takeSnapshot(TvlSnapshotKind kind) override { snapshots.push_back(kind); }
    void editObject(bool withScript) override { edits.push_back(withScript); }
    void pageOptions() override { ++pageOptionCalls; }
    void editPageScript() override { ++pageScriptCalls; }
    int chooseBandType() override {
        ++bandDialogs;
        return bandType;
    }
    void showContextMenu(const QPoint&) override { ++contextMenus; }
    void updateStatus() override {}
    void pagesChanged() override { ++pageChanges; }
    void selectTool(int tool) override { sel.tool = tool; }
    QSize workspaceSize() const override { return {1200, 900}; }
    QPoint workspaceOffset() const override { return offset; }
    void scrollWorkspace(const QPoint& delta) override { scrolled += delta; }

    TvlDesignerSettings settings_;
    TvlDesignerSelection sel;
    TvlReport report_;
    TvlPage* page = nullptr;
    int bandType = -1;
    QPoint offset, scrolled;
    bool modified = false;
    int selectionChanges = 0, pageOptionCalls = 0, pageScriptCalls = 0, bandDialogs = 0;
    int contextMenus = 0, pageChanges = 0;
    std::vector<TvlSnapshotKind> snapshots;
    std::vector<bool> edits;
};

// A surface on the host's page, at the workspace's top left, and the
// mouse and keys as the user works it.
class SurfaceTest : public ::testing::Test {
protected:
    SurfaceTest() {
        host.settings_.gridSize = 4;
        host.settings_.editAfterInsert = false;
        surface.placeOnWorkspace({700, 500});
    }
    ~SurfaceTest() override { ViewState().designerPage = nullptr; }

    template <typename View = TvlMemoView>
    View& add(int left, int top, int width, int height, const std::string& name) {
        auto view = std::make_unique<View>();
        view->SetBounds(left, top, width, height);
        view->Name = name;
        return static_cast<View&>(host.page->AddObject(std::move(view)));
    }
    TvlBandView& band(int type, int top, int height, const std::string& name) {
        auto& b = add<TvlBandView>(0, top, host.page->PrinterInfo.PixelPaperWidth, height, name);
        b.FrameTyp = static_cast<std::uint16_t>(type);
        return b;
    }

    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers mods = {}) {
        QMouseEvent e(type, QPointF(at), QPointF(surface.mapToGlobal(at)), button, buttons, mods);
        QApplication::sendEvent(&surface, &e);
    }
    void hover(QPoint at) { send(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton); }
    void press(QPoint at, Qt::KeyboardModifiers mods = {}, Qt::MouseButton b = Qt::LeftButton) {
        send(QEvent::MouseButtonPress, at, b, b, mods);
    }
    void moveTo(QPoint at, Qt::KeyboardModifiers mods = {}) {
        send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, mods);
    }
    void release(QPoint at, Qt::KeyboardModifiers mods = {}) {
        send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, mods);
    }
    void click(QPoint at, Qt::KeyboardModifiers mods = {}) {
        hover(at);
        press(at, mods);
        release(at, mods);
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}) {
        hover(from);
        press(from, mods);
        moveTo(to, mods);
        release(to, mods);
    }
    void doubleClick(QPoint at, Qt::KeyboardModifiers mods = {}) {
        click(at, mods);
        send(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton, mods);
        release(at, mods);
    }
    static QRect rect(const TvlView& v) { return {v.Left, v.Top, v.Width, v.Height}; }
    std::vector<TvlView*> selected() const { return host.session_.selected.in(*host.page); }

    RecordingHost host;
    TvlDesignerPage surface{host};
};

} // namespace vltest
