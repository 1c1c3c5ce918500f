#pragma once

#include "engine/build/PreviewZoom.h"

#include <functional>

namespace vl {

class TvlReport;

// What every preview of the process shares: the zoom a newly shown preview
// starts with (the last one chosen in any preview) and the print command
// that a windowed host installs. Without a print command previews cannot
// print.
struct TvlPreviewShared {
    double lastScale = 1.0;
    TvlPreviewZoom lastZoomMode = pzDefault;
    // Prints the report's prepared pages (the preview hands them back to
    // the report for the run); currentPage is the page the preview shows,
    // 1-based.
    std::function<void(TvlReport& report, int currentPage)> print;
    // Lets the designer edit prepared page i of the report (its pages are
    // the report's own while it runs); installed by the designer, which
    // makes "Edit page" available.
    std::function<void(TvlReport& report, int pageIndex)> editPreparedPage;
};

} // namespace vl
