#include "engine/build/PrintRun.h"

#include "engine/build/TvlGlobals.h"
#include "engine/build/TvlReport.h"
#include "engine/model/TvlView.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/TvlLocale.h"

#include <QCoreApplication>

namespace vl {

namespace {

constexpr int kNoPrinterId = 55779;

bool stopRequested() {
    return Globals().script().stopDue();
}

int scaled(int value, int device, int pixels) {
    return pixels == 0 ? 0 : Nearest(static_cast<double>(value) * device / pixels);
}

// Where a page goes on the printer's canvas, in dots from the printable
// area's top-left corner: the whole paper when its objects are placed in
// paper coordinates, else the printable area less the page's margins.
TvlRect deviceRect(const PreparedPage& page) {
    const PageMetrics& m = page.Metrics;
    if (page.PaperCoordinates)
        return TvlRect{-m.DeviceOffsetX, -m.DeviceOffsetY, m.DevicePaperWidth - m.DeviceOffsetX,
                       m.DevicePaperHeight - m.DeviceOffsetY};
    return TvlRect{
        scaled(page.LeftMargin, m.DevicePrintWidth, m.PixelPrintWidth),
        scaled(page.TopMargin, m.DevicePrintHeight, m.PixelPrintHeight),
        m.DevicePrintWidth - scaled(page.RightMargin, m.DevicePrintWidth, m.PixelPrintWidth),
        m.DevicePrintHeight - scaled(page.BottomMargin, m.DevicePrintHeight, m.PixelPrintHeight)};
}

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
    : report_(report), request_(request), printer_(GlobalPrinter()) {}

bool TvlPrintRun::Run() {
    printer_.AttachSystemPrinter();
    system_ = printer_.System();
    if (!system_ || printer_.IsVirtual()) throw VlError(LoadResString(kNoPrinterId));
    TvlEMFPages& pages = report_.EMFPages();
    const TvlPrintOrder order(request_, pages.Count());
    const std::vector<int> sequence = order.Sequence(system_->makesCopies());
    // Nothing selected: no empty document goes to the printer.
    if (sequence.empty()) return true;

    PreparedPage& first = pages.PageAt(sequence.front());
    setPaper(printer_, first);
    printer_.FillMetrics(first.Metrics);
    title_ = report_.Title.empty() ? LoadResString(TvlReport::kUntitledId) : report_.Title;
    if (report_.Events.OnPrintReport) report_.Events.OnPrintReport();
    printerCopies_ = system_->makesCopies() ? order.PrinterCopies() : 1;
    try {
        beginDocument();
        for (int i : sequence) {
            printPage(i);
            if (stopRequested()) {
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
    printer_.FillMetrics(page.Metrics);
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
