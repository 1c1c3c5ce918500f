#include "engine/build/EngineBandExtensions.h"

#include "engine/build/CrossRow.h"

namespace vl {

bool TvlEngineBandExtensions::outputSubReports(TvlBand& band, std::size_t firstObject) {
    subReports_.HandOver(band, firstObject);
    return true;
}

void TvlEngineBandExtensions::outputCross(TvlBand& band) {
    TvlCrossRow(band).Output();
}

} // namespace vl
