#pragma once

#include <string>

namespace vl {

// What the pages and bands of one build share (see TvlBuildRun).
struct TvlBuildState {
    // 0-based index of the prepared page being written.
    int currentPageIndex = 0;
    // "TOTALPAGES": the page count of the first pass of a two-pass build
    // (a build starts with the last count of its engine).
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
};

} // namespace vl
