#include "engine/build/BuildReport.h"

#include "engine/build/TvlReport.h"

namespace vl {

std::string LineFeedText(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
        } else if (i + 1 == text.size() || text[i + 1] != '\n') {
            out += '\n';
        }
    }
    return out;
}

void BuildReport(TvlReport& report) {
    report.PrepareReport();
    const TvlBuildOutcome& outcome = report.LastOutcome();
    if (outcome.failed()) throw ReportBuildError(LineFeedText(outcome.message), false);
    if (outcome.cancelled()) throw ReportBuildError("The build was cancelled", true);
}

} // namespace vl
