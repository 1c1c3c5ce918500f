#pragma once

#include "engine/script/Errors.h"

#include <string>

namespace vl {

class TvlReport;

// A build that produced no usable pages: the engine's error text (its lines
// separated by line feeds), or a cancellation.
class ReportBuildError : public VlError {
public:
    ReportBuildError(const std::string& text, bool cancelled)
        : VlError(text), cancelled_(cancelled) {}
    bool cancelled() const { return cancelled_; }

private:
    bool cancelled_;
};

// Builds the report's template into its prepared pages as PrepareReport does,
// for hosts that want a failure as an exception rather than reading
// LastOutcome(): raises ReportBuildError when the build failed, was cancelled
// or a dialog page was cancelled. A build without pages is no error.
void BuildReport(TvlReport& report);

// The engine's multi-line error text with its carriage returns as line feeds.
std::string LineFeedText(std::string text);

} // namespace vl
