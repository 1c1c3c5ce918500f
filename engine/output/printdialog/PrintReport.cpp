#include "engine/output/printdialog/PrintReport.h"

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/output/PageMetrics.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/output/printdialog/TvlPrintForm.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/UiService.h"

namespace vl {

namespace {

constexpr int kErrorCaptionId = 55206;
constexpr int kIconError = 0x10;

// Whether the selected printer would lay the prepared pages out otherwise
// than they are: another paper size or printable area.
bool layoutDiffers(TvlReport& report) {
    TvlPrinter& printer = report.Engine().printer();
    TvlEMFPages& pages = report.EMFPages();
    for (int i = 0; i < pages.Count(); ++i) {
        const PreparedPage& page = pages.PageAt(i);
        printer.SetPaper(page.PaperSize, page.PaperWidth, page.PaperHeight, page.PaperBin,
                         page.Orientation, false);
        PageMetrics device = page.Metrics;
        printer.FillMetrics(device);
        if (!SamePixelGeometry(page.Metrics, device)) return true;
    }
    return false;
}

// The report is built again on the printer the dialog chose, when that
// printer lays its pages out differently; the preview then shows what is
// printed. Otherwise the pages print as they are.
bool rebuildOnNewPrinter(TvlReport& report, int oldPrinter) {
    const int newPrinter = report.Engine().printer().SelectedPrinter();
    if (!report.RebuildPrinter || newPrinter == oldPrinter || !report.Rebuildable()) return true;
    if (!report.ChangePrinter(oldPrinter, newPrinter)) return false;
    if (!layoutDiffers(report)) return true;
    const bool built = report.PrepareReport();
    report.ShowBuildFailure();
    return built && report.EMFPages().Count() > 0;
}

} // namespace

bool PrintReport(TvlReport& report, int currentPage, QWidget* parent) {
    const TvlPrinter& printer = report.Engine().printer();
    if (report.EMFPages().Count() == 0 || printer.VirtualPrinterIndex() == 0) return false;
    TvlPrintForm form(report.Engine(), report.EMFPages().Count(), parent);
    form.setCopies(report.DefaultCopies);
    form.setCollate(report.DefaultCollate);
    const int oldPrinter = form.startPrinter();
    if (report.ShowPrintDialog && form.exec() != QDialog::Accepted) return false;
    try {
        if (!rebuildOnNewPrinter(report, oldPrinter)) return false;
        const TvlPrintRequest request = form.request(currentPage);
        return report.PrintPreparedReport(request.PageList, request.Copies, request.Collate,
                                          request.Parity);
    } catch (const std::exception& error) {
        report.Engine().uiService().messageBox(error.what(), LoadResString(kErrorCaptionId),
                                               kIconError);
        return false;
    }
}

} // namespace vl
