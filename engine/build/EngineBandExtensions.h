#pragma once

#include "engine/build/BandExtensions.h"
#include "engine/build/SubReportRun.h"

namespace vl {

// The engine's own sub-report and cross-tab output, installed in the
// engine context for every build.
class TvlEngineBandExtensions : public TvlBandExtensions {
public:
    bool outputSubReports(TvlBand& band, std::size_t firstObject) override;
    void outputCross(TvlBand& band) override;

private:
    TvlSubReportRun subReports_;
};

} // namespace vl
