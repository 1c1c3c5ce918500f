#pragma once

#include <cstdint>
#include <string>

namespace vl {

// How a report's last build ended, as one value: hosts show the pages, the
// message or nothing from it.
struct TvlBuildOutcome {
    enum Kind : std::uint8_t {
        Built,     // the pages are there (also when STOPREPORT ended the build early)
        Failed,    // an error or an engine limit stopped it; the pages are cleared
        Cancelled, // Cancel, a dialog page, or a stop from outside the build
    };
    Kind kind = Built;
    // A failed build's error text, lines separated by carriage returns.
    std::string message;

    bool built() const { return kind == Built; }
    bool failed() const { return kind == Failed; }
    bool cancelled() const { return kind == Cancelled; }
};

} // namespace vl
