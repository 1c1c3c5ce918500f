#include "engine/build/PrintRun.h"
#include "engine/build/ProgressWindow.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/UiService.h"

#include <exception>

namespace vl {

// Printing the prepared pages and choosing the report's printer.

namespace {

constexpr int kPreparingId = 55203;
constexpr int kPrintingPageId = 55776;

} // namespace

TvlPrintOutcome TvlReport::PrintPreparedReport(const std::string& pageList, int copies,
                                               bool collate, int parity) {
    const TvlEngineScope inEngine(engine_);
    engine_.stopRequested() = false;
    printRequest_ = {pageList, copies, collate, parity};
    try {
        // A page list that cannot be read stops the run before any window
        // opens or any page is handed to the printer.
        if (TvlPrintOrder(printRequest_, EMFPages().Count()).Sequence(true).empty())
            return {TvlPrintOutcome::NothingToPrint, {}};
        if (printWithProgress(pageList, copies, collate, parity)) return {};
        return {TvlPrintOutcome::Cancelled, {}};
    } catch (const std::exception& error) {
        return {TvlPrintOutcome::Failed, error.what()};
    }
}

bool TvlReport::printWithProgress(const std::string& pageList, int copies, bool collate,
                                  int parity) {
    TvlEngine& g = engine_;
    if (Events.OnProgress || !ShowProgress) {
        const ScopedValue noHover(Events.OnMouseOverObject, {});
        return PrintPages(pageList, copies, collate, parity);
    }
    std::string caption = LoadResString(kPreparingId);
    if (!Title.empty()) caption += " - " + Title;
    TvlProgressWindow& progress = g.progressWindow();
    bool completed = false;
    std::exception_ptr failure;
    // Errors leave the window's loop first, so that the window closes.
    const auto worker = [&] {
        try {
            completed = PrintPages(pageList, copies, collate, parity);
        } catch (...) {
            failure = std::current_exception();
        }
        progress.Close(completed || failure ? TvlProgressWindow::kOk : TvlProgressWindow::kCancel);
    };
    const int result = progress.RunWithProgress(caption, LoadResString(kPrintingPageId), worker);
    if (failure) std::rethrow_exception(failure);
    return completed && result != TvlProgressWindow::kCancel;
}

bool TvlReport::PrintPages(const std::string& pageList, int copies, bool collate, int parity) {
    TvlPrintRun run(*this, {pageList, copies, collate, parity});
    return run.Run();
}

bool TvlReport::ChangePrinter(int oldIndex, int newIndex) {
    TvlPrinter& printer = engine_.printer();
    const auto moveTo = [&](int index) {
        printer.SelectPrinter(index);
        PrinterName = printer.PrinterList().at(static_cast<std::size_t>(index));
        printer.ForgetPaper();
        for (int i = 0; i < pages_.Count(); ++i) {
            TvlPage& page = pages_[i];
            page.SetPaper(page.PaperSize, page.PaperWidth, page.PaperHeight, page.PaperBin,
                          page.Orientation);
        }
    };
    try {
        moveTo(newIndex);
        return true;
    } catch (const std::exception&) {
        // the old printer comes back below; the caller tells the user
    }
    try {
        moveTo(oldIndex);
    } catch (const std::exception&) {
        // The old printer is gone as well: the pages keep what they have.
    }
    return false;
}

} // namespace vl
