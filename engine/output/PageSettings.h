#pragma once

#include "engine/output/PageMetrics.h"

#include <cstdint>

namespace vl {

// The paper of a prepared page as the report page that opened it had it.
// Sizes are in tenths of a millimetre as oriented, margins in page pixels.
struct PageSettings {
    std::int16_t PaperSize = 0; // paper code; 256 = custom
    std::int32_t PaperWidth = 0;
    std::int32_t PaperHeight = 0;
    std::uint8_t Orientation = 0; // 0 portrait, 1 landscape
    std::int32_t PaperBin = 0;    // -1 = the printer's default
    // Object coordinates are paper coordinates (the page is not stretched
    // to the printable area).
    bool PaperCoordinates = false;
    std::int32_t LeftMargin = 0;
    std::int32_t TopMargin = 0;
    std::int32_t RightMargin = 0;
    std::int32_t BottomMargin = 0;
    // The printer's geometry for this paper; never stored in files.
    PageMetrics Metrics;
};

} // namespace vl
