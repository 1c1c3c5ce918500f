#include "engine/output/preview/ReportPreview.h"

#include "engine/build/ProgressWindow.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlDialogControl.h"
#include "engine/model/ViewState.h"
#include "engine/output/LinkOpener.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/preview/PreviewTexts.h"
#include "engine/output/preview/TvlHelpWindow.h"
#include "engine/output/preview/TvlPreview.h"
#include "engine/output/preview/TvlPreviewForm.h"
#include "engine/output/preview/TvlProgressForm.h"
#include "engine/output/preview/WidgetUiService.h"
#include "engine/output/printdialog/PrintReport.h"
#include "engine/script/CodePage.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace vl {

namespace {

// Web and mail links of prepared pages open in the desktop's programs.
class DesktopLinkOpener : public TvlLinkOpener {
public:
    void open(const std::string& target) override { QDesktopServices::openUrl(QUrl(ToQt(target))); }
};

} // namespace

bool ShowReport(TvlReport& report, const TvlShowOptions& options) {
    const bool built = report.PrepareReport();
    report.ShowBuildFailure();
    // refused because another build runs: there are no pages of its own
    // to show, and those of the running build are not finished
    if (report.BuildRunning()) return false;
    ShowPreparedReport(report, options);
    return built;
}

TvlPreviewForm* ShowPreparedReport(TvlReport& report, const TvlShowOptions& options) {
    if (report.EMFPages().Count() == 0) return nullptr;
    if (options.pane) {
        options.pane->AttachReport(report);
        QCoreApplication::processEvents();
        return nullptr;
    }
    QString caption = ResourceText(text_id::kPreview);
    if (!report.Title.empty()) caption += QStringLiteral(" - ") + ToQt(report.Title);
    auto* form = new TvlPreviewForm(report.Engine());
    form->setWindowTitle(caption);
    form->HelpFile = FindUserGuide();
    if (report.ModalPreview) {
        form->ShowForReport(report);
        delete form;
        return nullptr;
    }
    form->ShowForReport(report);
    QCoreApplication::processEvents();
    return form;
}

WindowServices::WindowServices(TvlEngine& engine) : engine_(engine) {
    TvlEngine& g = engine_;
    RegisterDialogControls(g.views().addIns);
    g.setUiService(std::make_unique<WidgetUiService>());
    g.setProgressWindow(std::make_unique<WidgetProgressWindow>(g.stopRequested()));
    g.setLinkOpener(std::make_unique<DesktopLinkOpener>());
    g.preview().print = [](TvlReport& report, int currentPage) {
        PrintReport(report, currentPage, QApplication::activeWindow());
    };
}

WindowServices::~WindowServices() {
    TvlEngine& g = engine_;
    g.setUiService(std::make_unique<HeadlessUiService>());
    g.setProgressWindow(std::make_unique<TvlProgressWindow>());
    g.setLinkOpener(nullptr);
    g.preview().print = nullptr;
}

} // namespace vl
