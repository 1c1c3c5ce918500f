#include "engine/output/printdialog/PrintReport.h"

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/output/PageMetrics.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/output/printdialog/TvlPrintForm.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/UiService.h"

#include <optional>

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
std::optional<TvlPrintOutcome> rebuildOnNewPrinter(TvlReport& report, int oldPrinter) {
    const int newPrinter = report.Engine().printer().SelectedPrinter();
    if (!report.RebuildPrinter || newPrinter == oldPrinter || !report.Rebuildable())
        return std::nullopt;
    if (!report.ChangePrinter(oldPrinter, newPrinter))
        return TvlPrintOutcome{TvlPrintOutcome::Failed,
                               LoadResString(TvlReport::kInvalidPrinterId)};
    if (!layoutDiffers(report)) return std::nullopt;
    const bool built = report.PrepareReport();
    report.ShowBuildFailure();
    if (!built) return TvlPrintOutcome{TvlPrintOutcome::Cancelled, {}}; // already told
    if (report.EMFPages().Count() == 0) return TvlPrintOutcome{TvlPrintOutcome::NothingToPrint, {}};
    return std::nullopt;
}

TvlPrintOutcome printChosen(TvlReport& report, const TvlPrintForm& form, int currentPage) {
    if (auto refused = rebuildOnNewPrinter(report, form.startPrinter())) return *refused;
    const TvlPrintRequest request = form.request(currentPage);
    return report.PrintPreparedReport(request.PageList, request.Copies, request.Collate,
                                      request.Parity);
}

} // namespace

TvlPrintOutcome PrintReport(TvlReport& report, int currentPage, QWidget* parent) {
    const TvlPrinter& printer = report.Engine().printer();
    if (report.EMFPages().Count() == 0 || printer.VirtualPrinterIndex() == 0)
        return {TvlPrintOutcome::NothingToPrint, {}};
    TvlPrintForm form(report.Engine(), report.EMFPages().Count(), parent);
    form.setCopies(report.DefaultCopies);
    form.setCollate(report.DefaultCollate);
    if (report.ShowPrintDialog && form.exec() != QDialog::Accepted)
        return {TvlPrintOutcome::Cancelled, {}};
    const TvlPrintOutcome outcome = printChosen(report, form, currentPage);
    if (outcome.kind == TvlPrintOutcome::Failed)
        report.Engine().uiService().messageBox(outcome.message, LoadResString(kErrorCaptionId),
                                               kIconError);
    return outcome;
}

} // namespace vl
