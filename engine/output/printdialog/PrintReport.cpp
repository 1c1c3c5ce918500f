#include "engine/output/printdialog/PrintReport.h"

#include "engine/build/TvlGlobals.h"
#include "engine/build/TvlReport.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/output/printdialog/TvlPrintForm.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/UiService.h"

namespace vl {

namespace {

constexpr int kErrorCaptionId = 55206;
constexpr int kIconError = 0x10;

// The report is built again on the printer the dialog chose.
bool rebuildOnNewPrinter(TvlReport& report, int oldPrinter) {
    const int newPrinter = GlobalPrinter().SelectedPrinter();
    if (!report.RebuildPrinter || newPrinter == oldPrinter || !report.Rebuildable()) return true;
    if (!report.ChangePrinter(oldPrinter, newPrinter)) return false;
    return report.PrepareReport() && report.EMFPages().Count() > 0;
}

} // namespace

bool PrintReport(TvlReport& report, int currentPage, QWidget* parent) {
    const TvlPrinter& printer = GlobalPrinter();
    if (report.EMFPages().Count() == 0 || printer.VirtualPrinterIndex() == 0) return false;
    TvlPrintForm form(report.EMFPages().Count(), parent);
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
        Globals().uiService().messageBox(error.what(), LoadResString(kErrorCaptionId), kIconError);
        return false;
    }
}

} // namespace vl
