#include "engine/build/PrintRun.h"

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlView.h"
#include "engine/output/PageRendering.h"
#include "engine/output/PrinterSystem.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/TvlLocale.h"

#include <QCoreApplication>

namespace vl {

namespace {

constexpr int kNoPrinterId = 55779;

void setPaper(TvlPrinter& printer, const PreparedPage& page) {
    printer.SetPaper(page.PaperSize, page.PaperWidth, page.PaperHeight, page.PaperBin,
                     page.Orientation, true);
}

bool paperMatches(const TvlPrinter& printer, const PreparedPage& page) {
    return printer.PaperMatches(page.PaperSize, page.PaperWidth, page.PaperHeight, page.PaperBin,
                                page.Orientation);
}

} // namespace

TvlPrintRun::TvlPrintRun(TvlReport& report, const TvlPrintRequest& request)
    : report_(report), request_(request), printer_(report.Engine().printer()) {}

bool TvlPrintRun::Run() {
    printer_.AttachSystemPrinter();
    system_ = printer_.System();
    if (!system_ || printer_.IsVirtual()) throw VlError(LoadResString(kNoPrinterId));
    TvlEMFPages& pages = report_.EMFPages();
    const TvlPrintOrder order(request_, pages.Count());
    const std::vector<int> sequence = order.Sequence(system_->makesCopies());
    // Nothing selected: no empty document goes to the printer.
    if (sequence.empty()) return true;

    setPaper(printer_, pages.PageAt(sequence.front()));
    title_ = report_.Title.empty() ? LoadResString(TvlReport::kUntitledId) : report_.Title;
    if (report_.Events.OnPrintReport) report_.Events.OnPrintReport();
    printerCopies_ = system_->makesCopies() ? order.PrinterCopies() : 1;
    try {
        beginDocument();
        for (int i : sequence) {
            printPage(i);
            if (report_.Engine().script().stopDue()) {
                documentOpen_ = false;
                system_->abortDocument();
                return false;
            }
        }
        documentOpen_ = false;
        system_->endDocument();
    } catch (...) {
        if (documentOpen_) system_->abortDocument();
        documentOpen_ = false;
        throw;
    }
    return true;
}

void TvlPrintRun::beginDocument() {
    system_->beginDocument(title_, printerCopies_, request_.Collate);
    documentOpen_ = true;
    firstSheet_ = true;
}

void TvlPrintRun::printPage(int i) {
    PreparedPage& page = report_.EMFPages().PageAt(i);
    if (!paperMatches(printer_, page))
        changePaper(page);
    else if (!firstSheet_)
        system_->newSheet();
    drawPage(i, page);
    report_.ReportProgress(i + 1);
    // Lets a progress window's Cancel be pressed.
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
    firstSheet_ = false;
}

void TvlPrintRun::changePaper(const PreparedPage& page) {
    if (system_->changesPaperInDocument()) {
        printer_.SetPaperInDocument(page.PaperSize, page.PaperWidth, page.PaperHeight,
                                    page.PaperBin, page.Orientation);
        if (!firstSheet_) system_->newSheet();
        return;
    }
    documentOpen_ = false;
    system_->endDocument();
    setPaper(printer_, page);
    beginDocument();
}

// The page's own geometry stays as it was laid out, so that printing
// changes neither the preview nor a later print on another printer; the
// printer's geometry only decides where the page goes on its canvas.
TvlRect TvlPrintRun::deviceRect(const PreparedPage& page) const {
    PageMetrics device = page.Metrics;
    printer_.FillMetrics(device);
    const DeviceCaps caps = system_->capabilities();
    return PrinterPageRect(page, device, caps.dpiX, caps.dpiY);
}

void TvlPrintRun::drawPage(int i, PreparedPage& page) {
    TvlEMFPages& pages = report_.EMFPages();
    page.Shown = true;
    try {
        pages.DrawPage(i, system_->documentCanvas(), deviceRect(page));
    } catch (...) {
        page.Shown = false;
        pages.DrawPage(i, nullptr, TvlRect());
        throw;
    }
    page.Shown = false;
    pages.DrawPage(i, nullptr, TvlRect());
}

} // namespace vl
