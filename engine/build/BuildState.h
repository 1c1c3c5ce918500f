#pragma once

#include "engine/script/Variant.h"

#include <string>

namespace vl {

class TvlReport;

// What one build shares across its reports, pages and bands. One build
// runs at a time in an engine instance; the state belongs to it.
struct TvlBuildState {
    // A build runs: another one in this instance is refused until it ends.
    bool running = false;
    // The report whose events fire and the report that receives the
    // prepared pages (the same report in this system).
    TvlReport* currentReport = nullptr;
    TvlReport* receivingReport = nullptr;
    // 0-based index of the prepared page being written.
    int currentPageIndex = 0;
    // "TOTALPAGES": the page count of the first pass of a two-pass build.
    int totalPages = 0;
    // "DATE" and "TIME": fixed when a build starts (an OLE date).
    double buildMoment = 0;

    // A page run that goes on below the previous run, on its last page.
    bool continuation = false;
    int savedEndY = 0;
    int savedBottomLimit = 0;
    bool footerAtEnd = false;
    bool dialogCancelled = false;
    // STOPREPORT ended the build: it counts as built.
    bool stoppedByReport = false;

    bool errorFlag = false;
    std::string errorText;

    // "VALUE": the result of the last bracket evaluated.
    Variant currentValue;
    // How deep dictionary variables are being resolved inside each other.
    int dictionaryDepth = 0;
};

} // namespace vl
