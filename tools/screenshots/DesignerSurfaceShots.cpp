// Renders the designer's page surface into PNG files: the "Task List"
// sample template with a text object selected and a rubber band being
// dragged, and a dialog page with its controls.
// scripts/designer-surface-screenshots.sh runs it under a virtual display.

#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "designer/workspace/TvlDesignerPage.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlDialogControl.h"
#include "engine/model/TvlMemoView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollArea>
#include <cstdio>

using namespace vl;

namespace {

// The designer window reduced to what the surface asks of it.
class ShotHost : public TvlDesignerHost {
public:
    TvlReport& report() override { return report_; }
    TvlPage* currentPage() override { return page_; }
    int currentPageIndex() const override { return 0; }
    TvlDesignerSelection& selection() override { return sel_; }
    const TvlDesignerSettings& settings() const override { return settings_; }
    TvlDesignerSession& session() override { return session_; }
    TvlDesignerSession session_;
    void unselectAll() override {
        session_.selected.clear();
        sel_.count = 0;
        sel_.object = nullptr;
    }
    void selectionChanged() override {}
    void setModified(bool) override {}
    void takeSnapshot(TvlSnapshotKind) override {}
    void editObject(bool) override {}
    void pageOptions() override {}
    int chooseBandType() override { return -1; }
    void showContextMenu(const QPoint&) override {}
    void updateStatus() override {}
    void pagesChanged() override {}
    void selectTool(int tool) override { sel_.tool = tool; }
    QSize workspaceSize() const override { return {1000, 760}; }
    QPoint workspaceOffset() const override { return {}; }
    void scrollWorkspace(const QPoint&) override {}

    TvlReport report_;
    TvlPage* page_ = nullptr;
    TvlDesignerSelection sel_;
    TvlDesignerSettings settings_;
};

void Mouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers mods = {}) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, buttons, mods);
    QApplication::sendEvent(&w, &e);
}

bool Save(QWidget& w, const QString& path) {
    w.show();
    QApplication::processEvents();
    const bool ok = w.grab().save(path);
    if (!ok) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return ok;
}

// The surface in a grey scrolling workspace, as the designer window holds it.
bool TaskList(const QString& templatePath, const QString& path) {
    ShotHost host;
    if (!host.report_.LoadFromFile(templatePath)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(templatePath));
        return false;
    }
    host.page_ = &host.report_.Pages()[0];
    QScrollArea workspace;
    workspace.setBackgroundRole(QPalette::Dark);
    workspace.resize(host.workspaceSize());
    auto* canvas = new QWidget;
    auto* surface = new TvlDesignerPage(host, canvas);
    workspace.setWidget(canvas);
    workspace.show();
    QApplication::processEvents(); // the viewport takes its size
    surface->placeOnWorkspace(workspace.viewport()->size());
    canvas->resize(surface->workspaceExtent());
    // one text object selected by a click, and a rubber band under way
    for (const auto& v : host.page_->Objects)
        if (dynamic_cast<TvlMemoView*>(v.get()) && v->Top > 150 && v->Width > 40) {
            const QPoint at(v->Left + 10, v->Top + v->Height / 2);
            Mouse(*surface, QEvent::MouseButtonPress, at, Qt::LeftButton);
            Mouse(*surface, QEvent::MouseButtonRelease, at, Qt::NoButton);
            break;
        }
    Mouse(*surface, QEvent::MouseButtonPress, {420, 330}, Qt::LeftButton, Qt::ControlModifier);
    Mouse(*surface, QEvent::MouseMove, {640, 420}, Qt::LeftButton, Qt::ControlModifier);
    return Save(workspace, path);
}

bool DialogPage(const QString& path) {
    ShotHost host;
    TvlPage& page = host.report_.Pages().Add();
    page.PageType = ptDialog;
    host.page_ = &page;
    auto put = [&](TvlControlKind kind, int l, int t, int w, int h, const char* text) {
        auto c = std::make_unique<TvlDialogControl>(kind);
        c->SetBounds(l, t, w, h);
        c->Text = text;
        return &page.AddObject(std::move(c));
    };
    put(TvlControlKind::Label, 16, 20, 120, 20, "Show tasks due by:");
    put(TvlControlKind::Edit, 140, 18, 200, 24, "31.12.2026");
    put(TvlControlKind::CheckBox, 16, 60, 240, 24, "Include finished tasks");
    put(TvlControlKind::ComboBox, 16, 100, 200, 24, "All categories");
    host.session_.selected.select(*put(TvlControlKind::Button, 160, 220, 88, 28, "OK"));
    put(TvlControlKind::Button, 256, 220, 88, 28, "Cancel");
    host.sel_.count = 1;
    TvlDesignerPage surface(host);
    surface.setWindowTitle(QStringLiteral("Form"));
    surface.placeOnWorkspace({page.Dialog.Width, page.Dialog.Height});
    return Save(surface, path);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUT_DIR TEMPLATE [SUFFIX]\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString suffix = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    bool ok = TaskList(QString::fromLocal8Bit(argv[2]),
                       out + QStringLiteral("/designer-surface-tasklist") + suffix +
                           QStringLiteral(".png"));
    ok = DialogPage(out + QStringLiteral("/designer-surface-dialog") + suffix +
                    QStringLiteral(".png")) &&
         ok;
    return ok ? 0 : 1;
}
