#pragma once

#include "engine/model/ViewTypes.h"
#include "engine/output/PrintOrder.h"

#include <string>

namespace vl {

class PrinterSystem;
class TvlPrinter;
class TvlReport;
struct PreparedPage;

// One print run of a report's prepared pages on the selected printer: the
// pages of the request in printing order, each on its own paper, a new
// document wherever the paper changes (unless the printer's documents can
// change paper between sheets), and the stop flag tested after every page.
class TvlPrintRun {
public:
    TvlPrintRun(TvlReport& report, const TvlPrintRequest& request);

    // Prints; false when the run was stopped part way. Raises the errors of
    // the page list and of the printer; a document that was begun is
    // aborted then.
    bool Run();

private:
    void beginDocument();
    void printPage(int i);
    void changePaper(const PreparedPage& page);
    void drawPage(int i, PreparedPage& page);
    TvlRect deviceRect(const PreparedPage& page) const;

    TvlReport& report_;
    TvlPrintRequest request_;
    TvlPrinter& printer_;
    PrinterSystem* system_ = nullptr;
    std::string title_;
    int printerCopies_ = 1;
    bool documentOpen_ = false;
    bool firstSheet_ = true;
};

} // namespace vl
