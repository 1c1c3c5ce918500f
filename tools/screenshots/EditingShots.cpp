// Renders the designer's editing controls with sample contents into PNG
// files: the "Text" and "Rectangle" toolbars with the colour selector and
// the line-style panel dropped down, the alignment palette, and the object
// inspector filled from a selected text object with lengths in millimetres.
// scripts/editing-screenshots.sh runs it under a virtual display.

#include "designer/editing/TvlAlignmentPalette.h"
#include "designer/editing/TvlColorSelector.h"
#include "designer/editing/TvlDesignerEditing.h"
#include "designer/editing/TvlFormatToolbars.h"
#include "designer/editing/TvlLineStylePanel.h"
#include "designer/inspector/TvlInspForm.h"
#include "designer/workspace/DesignerHost.h"
#include "designer/workspace/DesignerSelection.h"
#include "designer/workspace/DesignerSession.h"
#include "designer/workspace/DesignerSettings.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/build/TvlReport.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlMemoView.h"

#include <QApplication>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>
#include <cstdio>

using namespace vl;

namespace {

QString outputDir;
QString suffix;

void save(QWidget& widget, const QString& name) {
    widget.show();
    QApplication::processEvents();
    const QString path = outputDir + QLatin1Char('/') + name + suffix + QStringLiteral(".png");
    if (!widget.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// A designer with one page holding a framed, bold text object, selected.
class SampleHost : public TvlDesignerHost {
public:
    SampleHost() {
        report_.Pages().Clear();
        TvlPage& page = report_.Pages().Add();
        auto view = CreateObject(report_.Engine().model(), otMemo);
        auto& memo = static_cast<TvlMemoView&>(page.AddObject(std::move(view)));
        memo.Name = "Memo1";
        memo.SetBounds(36, 72, 180, 36);
        memo.Memo = {"[Tasks.\"Name\"]"};
        memo.FrameTyp = vlftTop | vlftBottom;
        memo.FrameWidth = 1.5f;
        memo.FillColor = 0xE0FFFF;
        memo.Font.style = 2;
        memo.Alignment = TvlMemoView::vltaCenter | TvlMemoView::vltaMiddle;
        session_.selected.select(memo);
        selection_.count = 1;
        selection_.object = &memo;
        settings_.units = duMillimetres;
    }
    TvlReport& report() override { return report_; }
    TvlPage* currentPage() override { return &report_.Pages()[0]; }
    int currentPageIndex() const override { return 0; }
    TvlDesignerSelection& selection() override { return selection_; }
    const TvlDesignerSettings& settings() const override { return settings_; }
    TvlDesignerSession& session() override { return session_; }
    TvlDesignerSession session_;
    void unselectAll() override {}
    void selectionChanged() override {}
    void setModified(bool) override {}
    void takeSnapshot(TvlSnapshotKind) override {}
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

private:
    TvlReport report_;
    TvlDesignerSelection selection_;
    TvlDesignerSettings settings_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    outputDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    suffix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    SampleHost host;
    TvlDesignerEditing editing(host, {});

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Designer"));
    QToolBar* text = window.addToolBar(QStringLiteral("Text"));
    window.addToolBarBreak();
    QToolBar* rectangle = window.addToolBar(QStringLiteral("Rectangle"));
    TvlFormatToolbars toolbars(editing, &window);
    toolbars.populate(text, rectangle);
    toolbars.setEnabledFor(ssText, true);
    toolbars.ShowSelectionFormat();
    window.resize(760, 260);
    save(window, QStringLiteral("formatting-toolbars"));
    toolbars.button(QStringLiteral("ClB1"))->click();
    save(window, QStringLiteral("color-selector"));
    toolbars.button(QStringLiteral("StB1"))->click();
    save(window, QStringLiteral("line-style-panel"));

    QMainWindow paletteWindow;
    QToolBar* palette = new QToolBar(QStringLiteral("Alignment"), &paletteWindow);
    palette->setOrientation(Qt::Vertical);
    paletteWindow.addToolBar(Qt::LeftToolBarArea, palette);
    TvlAlignmentPalette alignment(editing);
    alignment.populate(palette);
    paletteWindow.resize(60, 420);
    save(paletteWindow, QStringLiteral("alignment-palette"));

    TvlInspForm inspector(editing.inspector());
    editing.inspector().attach(&inspector);
    editing.inspector().FillInspector();
    save(inspector, QStringLiteral("inspector-units"));
    return 0;
}
